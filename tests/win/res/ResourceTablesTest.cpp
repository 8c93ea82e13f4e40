// The templates' initial list entries, the menus, the strings, the icon
// sizes and the tip bitmap, read back from the compiled resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/DialogInit.h"
#include "res/resource.h"
#include "tests/win/res/GalleryDialogs.h"

namespace {

const std::vector<std::string> kFormats = {
    "AVI Format (*.avi)",
    "MPEG1 Format (*.mpg)",
    "MPEG2 Format (*.mpg)",
    "DivX Format (*.avi)",
    "Xvid Format (*.avi)",
    "VCD compatible MPEG1 Format (*.mpg)",
    "SVCD compatible MPEG2 Format (*.mpg)",
    "DVD compatible MPEG2 Format (*.vob)",
    "WMV Format (*.wmv)",
    "ASF Format (*.ASF)",
    "MP4 H.264 Format (*.mp4)",
    "MKV H.265 Format (*.mkv)",
    "WebM VP9 Format (*.webm)",
    "MP3 audio (*.mp3)",
    "M4A audio, AAC (*.m4a)",
    "FLAC audio, lossless (*.flac)",
    "MP4, streams kept as they are (*.mp4)",
    "MKV, streams kept as they are (*.mkv)",
};

std::vector<std::string> ComboEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = "";
        if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, i, 0) <
            static_cast<LRESULT>(sizeof text))
            SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

struct ListSpec {
    int templateId;
    int controlId;
    std::vector<std::string> entries;
};

TEST(InitialListEntries, EveryListHoldsItsTemplateEntriesInOrder) {
    const std::vector<ListSpec> lists = {
        {IDD_CONVERTER_DIALOG, IDC_MAIN_FORMAT, kFormats},
        {IDD_CONVERTER_DIALOG, IDC_MAIN_TV_MODE, {"NTSC", "PAL"}},
        {IDD_CONVERTER_DIALOG,
         IDC_MAIN_ASPECT,
         {"4:3    (Standard TV)", "16:9   (Wide screen TV)"}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_FORMAT, kFormats},
        {IDD_OUTPUT_SETTINGS, IDC_SET_QUALITY, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_VIDEO_CODEC, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_AUDIO_CODEC, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_RESOLUTION, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_FRAME_RATE, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_TV_MODE, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_ASPECT, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_SPEED, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_SAMPLE_RATE, {}},
        {IDD_OUTPUT_SETTINGS, IDC_SET_SIMULTANEOUS, {}},
    };
    for (const ListSpec& list : lists) {
        HWND dialog = CreateGalleryDialog(list.templateId);
        ASSERT_TRUE(dialog != NULL);
        EXPECT_EQ(list.entries, ComboEntries(dialog, list.controlId))
            << "template " << list.templateId << ", list " << list.controlId;
        DestroyWindow(dialog);
    }
}

TEST(InitialListEntries, LoaderCountsEntriesAndIgnoresTemplatesWithout) {
    HWND dialog = CreateGalleryDialog(IDD_PROGRESS);
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(0, LoadDialogInitEntries(dialog, IDD_PROGRESS));
    EXPECT_EQ(0, LoadDialogInitEntries(NULL, IDD_CONVERTER_DIALOG));
    DestroyWindow(dialog);

    // Loading again appends: the framework calls it exactly once per dialog.
    dialog = CreateGalleryDialog(IDD_CONVERTER_DIALOG);
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(static_cast<int>(kFormats.size()) + 4,
              LoadDialogInitEntries(dialog, IDD_CONVERTER_DIALOG));
    EXPECT_EQ(2 * kFormats.size(), ComboEntries(dialog, IDC_MAIN_FORMAT).size());
    DestroyWindow(dialog);
}

struct MenuItemSpec {
    UINT id; // 0 for a separator
    const char* text;
};

void ExpectMenu(int menuId, const char* popupTitle, const std::vector<MenuItemSpec>& items) {
    SCOPED_TRACE("menu " + std::to_string(menuId));
    HMENU menu = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(menuId));
    ASSERT_TRUE(menu != NULL);
    ASSERT_EQ(1, GetMenuItemCount(menu)) << "one popup";
    char title[64] = "";
    GetMenuStringA(menu, 0, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(popupTitle, title);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_TRUE(popup != NULL);
    ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(popup));
    for (size_t i = 0; i < items.size(); ++i) {
        MENUITEMINFOA info = {};
        char text[64] = "";
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info));
        if (items[i].id == 0) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << "item " << i;
            continue;
        }
        EXPECT_EQ(items[i].id, info.wID) << "item " << i;
        EXPECT_STREQ(items[i].text, text) << "item " << i;
        EXPECT_EQ(0u, info.fState & (MFS_DISABLED | MFS_CHECKED)) << "item " << i;
    }
    DestroyMenu(menu);
}

TEST(Menus, HelpAndListPopups) {
    ExpectMenu(IDR_HELP_MENU, "help",
               {{ID_HELP_CONTENT, "Content"},
                {0, NULL},
                {ID_HELP_ABOUT, "About"},
                {ID_HELP_HOME_PAGE, "Home page"},
                {ID_HELP_TIP_OF_THE_DAY, "Tip of the Day..."}});
    ExpectMenu(IDR_LIST_MENU, "Edit",
               {{ID_LIST_ADD_FILES, "Add video files to list"},
                {ID_LIST_REMOVE_FILE, "Remove video file from list"},
                {ID_LIST_MOVE_UP, "Move up"},
                {ID_LIST_MOVE_DOWN, "Move down"},
                {ID_LIST_SHOW_LOG, "Show log"},
                {0, NULL},
                {ID_LIST_CONVERT_NOT_DONE, "Convert the rows not done"}});
}

TEST(Strings, TableHoldsTheProgramsTexts) {
    struct Row {
        int id;
        const char* text;
    };
    const Row rows[] = {
        {IDS_ABOUTBOX, "&About Tarvello..."},
        {IDS_TIP_FILE_ABSENT, "Tips file does not exist in the prescribed directory"},
        {IDS_TIP_FILE_ERROR, "Trouble reading the tips file"},
        {IDS_TIP_DID_YOU_KNOW, "Did you know..."},
    };
    for (const Row& row : rows) {
        char text[256] = "";
        EXPECT_LT(0, LoadStringA(GetModuleHandleA(NULL), row.id, text, sizeof text)) << row.id;
        EXPECT_STREQ(row.text, text) << row.id;
    }
    // No application title string: message boxes take the executable's name.
    char title[64] = "";
    EXPECT_EQ(0, LoadStringA(GetModuleHandleA(NULL), 0xE000, title, sizeof title));
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The pixel sizes that an icon group holds, read from its directory.
std::set<int> IconSizes(int iconId) {
    std::set<int> sizes;
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(iconId), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    if (!found)
        return sizes;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    if (size < 6 + count * sizeof(GroupIconEntry))
        return sizes;
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(data + 6);
    for (WORD i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].width, entries[i].height) << "icon " << iconId;
        EXPECT_EQ(32, entries[i].bitCount) << "icon " << iconId;
        sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
    }
    return sizes;
}

TEST(Icons, EachGroupHoldsTheSizesItIsUsedAt) {
    struct Row {
        int id;
        std::set<int> sizes;
    };
    const Row rows[] = {
        {IDR_MAINFRAME, {16, 24, 32, 48}},
        // Toolbar icons: an exact image at 100, 150 and 200 % display scale
        // for the 32-pixel buttons (32, 48, 64) and the 48-pixel ones (48, 72, 96).
        {IDI_LIST_ADD, {16, 32, 48, 64, 72, 96}},
        {IDI_LIST_REMOVE, {16, 32, 48, 64, 72, 96}},
        {IDI_LIST_UP, {16, 32, 48, 64, 72, 96}},
        {IDI_LIST_DOWN, {16, 32, 48, 64, 72, 96}},
        {IDI_HELP_TOOL, {16, 24, 32, 48, 64, 72, 96}},
        {IDI_ADD_TOOL, {32, 48, 64, 72, 96}},
        {IDI_CONVERT_TOOL, {32, 48, 64, 72, 96}},
        {IDI_SETTINGS_TOOL, {32, 48, 64, 72, 96}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.sizes, IconSizes(row.id)) << "icon " << row.id;
        for (int size : row.sizes) {
            HICON icon =
                static_cast<HICON>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(row.id),
                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            ASSERT_TRUE(icon != NULL) << "icon " << row.id << " at " << size;
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            // The image button measures an icon by its hot spot, its centre.
            EXPECT_EQ(size, static_cast<int>(info.xHotspot) * 2)
                << "icon " << row.id << " at " << size;
            EXPECT_EQ(size, static_cast<int>(info.yHotspot) * 2)
                << "icon " << row.id << " at " << size;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

TEST(Bitmaps, TipBulbIs40By53In16Colours) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(IDB_LIGHTBULB), MAKEINTRESOURCEA(2)); // RT_BITMAP
    ASSERT_TRUE(found != NULL);
    const BITMAPINFOHEADER* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    EXPECT_EQ(40, header->biWidth);
    EXPECT_EQ(53, header->biHeight);
    EXPECT_EQ(4, header->biBitCount);

    HBITMAP bulb = LoadBitmapA(module, MAKEINTRESOURCEA(IDB_LIGHTBULB));
    ASSERT_TRUE(bulb != NULL);
    BITMAP info = {};
    ASSERT_NE(0, GetObjectA(bulb, sizeof info, &info));
    EXPECT_EQ(40, info.bmWidth);
    EXPECT_EQ(53, info.bmHeight);
    DeleteObject(bulb);
}

} // namespace
