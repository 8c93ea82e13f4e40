// SaveWindowScreenshot: screen pixels under a window into a 24-bit BMP.
#include "tests/win/support/WinTestSupport.h"

#include <cstdio>
#include <vector>

namespace wintest {
namespace {

// Creates every missing folder on the way to the file `path`.
void CreateParentFolders(const char* path) {
    std::string p(path);
    for (size_t i = 3; i < p.size(); ++i) {
        if (p[i] == '\\' || p[i] == '/')
            CreateDirectoryA(p.substr(0, i).c_str(), NULL);
    }
}

bool WriteBmp24(const char* path, int width, int height, const std::vector<unsigned char>& rows) {
    const DWORD stride = ((width * 3) + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as GetDIBits delivered it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * height;
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;

    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(rows.data(), 1, rows.size(), out) == rows.size();
    return std::fclose(out) == 0 && ok;
}

} // namespace

bool SaveWindowScreenshot(HWND window, const char* path) {
    if (!IsWindow(window) || !path)
        return false;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(200); // let the window manager and other threads catch up

    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    return SaveScreenRect(r, path);
}

bool SaveScreenRect(const RECT& r, const char* path) {
    if (!path)
        return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, previous);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = ((width * 3) + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<size_t>(stride) * height);
    int lines =
        copied ? GetDIBits(memory, bitmap, 0, height, rows.data(), &info, DIB_RGB_COLORS) : 0;

    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    if (lines != height)
        return false;

    CreateParentFolders(path);
    return WriteBmp24(path, width, height, rows);
}

} // namespace wintest
