#include "ui/TipDlg.h"

#include <cstdio>
#include <string>

#include "framework/Dpi.h"
#include "framework/WinApp.h"
#include "framework/ProgramFilePath.h"
#include "framework/ProgramFolder.h"
#include "res/resource.h"

namespace {

const char kSection[] = "Tip";
const char kStartUpKey[] = "StartUp";
const char kFilePosKey[] = "FilePos";
const char kTimeStampKey[] = "TimeStamp";

std::string LoadResourceString(UINT id) {
    char text[256];
    int length = LoadStringA(AfxGetInstanceHandle(), id, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// The profile calls; without an application object nothing is remembered.
int ProfileInt(const char* key, int defaultValue) {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->GetProfileInt(kSection, key, defaultValue) : defaultValue;
}

void WriteProfileInt(const char* key, int value) {
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kSection, key, value);
}

std::string ProfileString(const char* key) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return std::string();
    char value[64];
    app->GetProfileString(kSection, key, "", value, sizeof value);
    return value;
}

void WriteProfileString(const char* key, const char* value) {
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(kSection, key, value);
}

// A control's rectangle in the dialog's client coordinates.
bool ItemClientRect(const CWnd& dialog, int id, RECT* rect) {
    HWND item = dialog.GetDlgItem(id);
    if (item == nullptr)
        return false;
    ::GetWindowRect(item, rect);
    dialog.ScreenToClient(rect);
    return true;
}

// The light bulb drawn for `dpi`: the largest one made for a DPI not above it.
UINT BulbFor(UINT dpi) {
    struct Bulb {
        UINT dpi;
        UINT id;
    };
    static const Bulb kBulbs[] = {
        {96, IDB_LIGHTBULB}, {144, IDB_LIGHTBULB_150}, {192, IDB_LIGHTBULB_200}};
    UINT id = IDB_LIGHTBULB;
    for (const Bulb& bulb : kBulbs) {
        if (bulb.dpi <= dpi)
            id = bulb.id;
    }
    return id;
}

// The system font, scaled from the system's DPI to `dpi`; null when they agree
// (the context's default font is then right as it is).
HFONT ScaledSystemFont(UINT dpi) {
    const UINT systemDpi = SystemDpi();
    if (dpi == systemDpi)
        return nullptr;
    LOGFONTA description = {};
    if (GetObjectA(GetStockObject(SYSTEM_FONT), sizeof description, &description) == 0)
        return nullptr;
    description.lfHeight =
        MulDiv(description.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
    description.lfWidth =
        MulDiv(description.lfWidth, static_cast<int>(dpi), static_cast<int>(systemDpi));
    return CreateFontIndirectA(&description);
}

} // namespace

BEGIN_MESSAGE_MAP(CTipDlg, CDialog)
ON_BN_CLICKED(IDC_TIP_NEXT, OnNextTip)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CTipDlg::CTipDlg(CWnd* parent) : CDialog(IDD_TIP, parent), m_bStartup(1) {
    m_strTip[0] = '\0';
    m_bStartup = ProfileInt(kStartUpKey, 0) == 0 ? 1 : 0;
    long savedPos = ProfileInt(kFilePosKey, 0);

    char folder[MAX_PATH];
    char tipsPath[MAX_PATH];
    ProgramFolder(folder, sizeof folder);
    bool havePath =
        folder[0] != '\0' && BuildProgramFilePath(folder, "tips.txt", tipsPath, sizeof tipsPath);
    if (!havePath || !m_tips.Open(tipsPath)) {
        std::snprintf(m_strTip, sizeof m_strTip, "%s",
                      LoadResourceString(IDS_TIP_FILE_ABSENT).c_str());
        return;
    }

    std::string stamp = m_tips.TimeStamp();
    TipStart start = ChooseTipStart(stamp, ProfileString(kTimeStampKey), savedPos);
    if (start.stampChanged)
        WriteProfileString(kTimeStampKey, stamp.c_str());

    if (!m_tips.SeekTo(start.offset)) {
        AfxMessageBox(IDS_TIP_FILE_ERROR);
        return;
    }
    GetNextTipString();
}

CTipDlg::~CTipDlg() {
    if (m_tips.IsOpen()) {
        long position = m_tips.Position();
        if (position >= 0)
            WriteProfileInt(kFilePosKey, static_cast<int>(position));
        m_tips.Close();
    }
}

void CTipDlg::GetNextTipString() {
    std::string tip;
    if (m_tips.ReadNextTip(&tip) == TipRead::kSeekFailed)
        AfxMessageBox(IDS_TIP_FILE_ERROR);
    std::snprintf(m_strTip, sizeof m_strTip, "%s", tip.c_str());
}

void CTipDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_TIP_STARTUP, m_bStartup);
    DDX_Text(pDX, IDC_TIP_TEXT, m_strTip, sizeof m_strTip);
}

BOOL CTipDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_tips.IsOpen())
        EnableDlgItem(IDC_TIP_NEXT, FALSE);
    return TRUE;
}

void CTipDlg::OnOK() {
    CDialog::OnOK();
    WriteProfileInt(kStartUpKey, m_bStartup == 0 ? 1 : 0);
}

void CTipDlg::OnNextTip() {
    GetNextTipString();
    // The hidden static carries the tip on display, as data exchange expects.
    SetDlgItemText(IDC_TIP_TEXT, m_strTip);
    Invalidate(TRUE);
}

HBRUSH CTipDlg::OnCtlColor(HDC dc, HWND control, UINT ctlColor) {
    if (control != nullptr && ::GetDlgCtrlID(control) == IDC_TIP_TEXT) {
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }
    return CDialog::OnCtlColor(dc, control, ctlColor);
}

void CTipDlg::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    const UINT dpi = WindowDpi(m_hWnd);
    // The context's default font, made for this window's DPI where the
    // window's display differs from the system's.
    HFONT font = ScaledSystemFont(dpi);
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    RECT panel;
    HWND panelItem = GetDlgItem(IDC_TIP_PANEL);
    if (panelItem != nullptr) {
        ::GetWindowRect(panelItem, &panel);
        panel.bottom -= ScaleForDpi(50, dpi);
        ScreenToClient(&panel);
        FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);

        int bulbWidth = 0;
        int bulbHeight = 0;
        HBITMAP bulb = LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(BulbFor(dpi)));
        if (bulb != nullptr) {
            BITMAP info;
            GetObjectA(bulb, sizeof info, &info);
            bulbWidth = info.bmWidth;
            bulbHeight = info.bmHeight;
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, bulb);
            BitBlt(dc, panel.left, panel.top, bulbWidth, bulbHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            DeleteObject(bulb);
        }
        std::string heading = LoadResourceString(IDS_TIP_DID_YOU_KNOW);
        RECT band = {panel.left + bulbWidth, panel.top, panel.right, panel.top + bulbHeight};
        DrawTextA(dc, heading.c_str(), -1, &band, DT_SINGLELINE | DT_VCENTER);
    }

    RECT tipRect;
    if (ItemClientRect(*this, IDC_TIP_TEXT, &tipRect)) {
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, m_strTip, -1, &tipRect,
                  DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    }
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
    if (font != nullptr)
        DeleteObject(font);
    EndPaint(m_hWnd, &ps);
}

void CTipDlg::OnDpiChanged(UINT /*dpi*/) {
    Invalidate(TRUE);
}
