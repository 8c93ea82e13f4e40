// Each dialog template, as compiled and as created on its own: caption,
// frame, font, size, and every control in template (tab) order with its
// class, text, styles and place. A screenshot of each goes to
// <build>/screenshots/res/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/res/GalleryDialogs.h"
#include "tests/win/res/TemplateReader.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

const DWORD kShownMask = WS_VISIBLE | WS_DISABLED;

struct Kind {
    DWORD mask;
    DWORD value;
};

// Style checks per kind of control: what must be set and what must not.
const Kind kOwnerDraw = {BS_TYPEMASK | WS_TABSTOP | kShownMask,
                         BS_OWNERDRAW | WS_TABSTOP | WS_VISIBLE};
const Kind kPush = {BS_TYPEMASK | WS_TABSTOP | kShownMask, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE};
const Kind kDefPush = {BS_TYPEMASK | WS_TABSTOP | kShownMask,
                       BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE};
const Kind kCheck = {BS_TYPEMASK | WS_TABSTOP | kShownMask,
                     BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE};
const Kind kLabel = {SS_TYPEMASK | kShownMask, SS_LEFT | WS_VISIBLE};
const Kind kLabelNoPrefix = {SS_TYPEMASK | SS_NOPREFIX | kShownMask,
                             SS_LEFT | SS_NOPREFIX | WS_VISIBLE};
const Kind kCentred = {SS_TYPEMASK | kShownMask, SS_CENTER | WS_VISIBLE};
const Kind kHidden = {SS_TYPEMASK | WS_VISIBLE, SS_LEFT};
const Kind kHiddenFrame = {SS_TYPEMASK | WS_VISIBLE, SS_BLACKFRAME};
const Kind kIcon = {SS_TYPEMASK | kShownMask, SS_ICON | WS_VISIBLE};
const Kind kEtchedLine = {SS_TYPEMASK | kShownMask, SS_ETCHEDHORZ | WS_VISIBLE};
const Kind kEtchedLineOff = {SS_TYPEMASK | kShownMask, SS_ETCHEDVERT | WS_VISIBLE | WS_DISABLED};
const Kind kSunkenLine = {SS_TYPEMASK | SS_SUNKEN | kShownMask, SS_LEFT | SS_SUNKEN | WS_VISIBLE};
const Kind kStatusText = {SS_TYPEMASK | SS_CENTERIMAGE | kShownMask,
                          SS_LEFT | SS_CENTERIMAGE | WS_VISIBLE};
// Unsorted: a list's positions are its entries' indices.
const Kind kDropList = {CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP | kShownMask,
                        CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE};
const Kind kSourceList = {LVS_TYPEMASK | LVS_SINGLESEL | WS_TABSTOP | WS_BORDER | kShownMask,
                          LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP | WS_BORDER | WS_VISIBLE};
const Kind kFolderEdit = {ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP | WS_BORDER | kShownMask,
                          ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER | WS_VISIBLE};
const Kind kProgressBar = {WS_BORDER | kShownMask, WS_BORDER | WS_VISIBLE};
const Kind kVolume = {TBS_VERT | TBS_NOTICKS | WS_TABSTOP | kShownMask,
                      TBS_NOTICKS | WS_TABSTOP | WS_VISIBLE};

struct ControlSpec {
    int id;
    const char* cls;
    const char* text; // NULL: not checked
    Kind kind;
    int x, y, w, h; // dialog units; a drop-down list's height includes its list
};

struct DialogSpec {
    int id;
    const char* name;
    const char* caption;
    bool minimizeBox;
    bool appWindow;
    const char* font;
    int points;
    int w, h;
    std::vector<ControlSpec> controls;
};

const char* const kButton = "Button";
const char* const kStatic = "Static";
const char* const kCombo = "ComboBox";

const std::vector<DialogSpec>& Dialogs() {
    static const std::vector<DialogSpec> dialogs = {
        {IDD_ABOUTBOX,
         "about",
         "About Tarvello",
         false,
         false,
         "Arial",
         9,
         230,
         146,
         {
             {IDC_STATIC, kStatic, NULL, kIcon, 4, 7, 20, 20},
             {IDC_ABOUT_VERSION, kStatic, NULL, kLabelNoPrefix, 30, 12, 145, 8},
             {IDOK, kButton, "OK", kDefPush, 184, 9, 33, 12},
             {IDC_STATIC, kStatic, "", kSunkenLine, 9, 28, 207, 1},
             {IDC_ABOUT_HOME_PAGE, kStatic, "Home page", kCentred, 85, 34, 38, 8},
             {IDC_ABOUT_SUPPORT, kStatic, "Technical support", kCentred, 85, 55, 57, 8},
             {IDC_STATIC, kStatic, "", kSunkenLine, 9, 98, 207, 1},
             {IDC_STATIC, kStatic, NULL, kLabel, 9, 103, 203, 8},
             {IDC_STATIC, kStatic, NULL, kLabel, 9, 111, 203, 8},
             // One line every 8 units: at 7 a line's background covered the
             // descenders of the line above at 200 % display scale.
             {IDC_STATIC, kStatic, NULL, kLabel, 9, 119, 203, 8},
             {IDC_STATIC, kStatic, NULL, kLabel, 9, 127, 203, 8},
             {IDC_STATIC, kStatic, NULL, kLabel, 9, 135, 203, 8},
         }},
        {IDD_CONVERTER_DIALOG,
         "main",
         "Tarvello",
         true,
         true,
         "MS Sans Serif",
         8,
         429,
         285,
         {
             {IDC_TOOL_ADD, kButton, "Add", kOwnerDraw, 15, 3, 51, 44},
             {IDC_TOOL_CONVERT, kButton, "Convert", kOwnerDraw, 78, 3, 51, 44},
             {IDC_TOOL_SETTINGS, kButton, "Settings", kOwnerDraw, 141, 3, 51, 44},
             {IDC_TOOL_HELP, kButton, "Help", kOwnerDraw, 217, 3, 51, 44},
             {IDC_STATIC, kStatic, "", kEtchedLine, 15, 50, 384, 1},
             {IDC_SOURCE_LIST, WC_LISTVIEWA, "List1", kSourceList, 15, 55, 384, 163},
             {IDC_STATIC, kStatic, "Output folder", kLabel, 15, 230, 57, 8},
             {IDC_OUTPUT_FOLDER, "Edit", "", kFolderEdit, 78, 228, 183, 12},
             {IDC_OUTPUT_BESIDE_SOURCE, kButton, "Next to each source", kCheck, 266, 229, 78, 10},
             {IDC_CHANGE_FOLDER, kButton, "Change", kPush, 347, 227, 52, 13},
             {IDC_STATIC, kStatic, "", kEtchedLineOff, 204, 12, 1, 28},
             {IDC_LIST_ADD, kButton, "", kOwnerDraw, 405, 68, 18, 17},
             {IDC_LIST_REMOVE, kButton, "", kOwnerDraw, 405, 95, 18, 17},
             {IDC_LIST_UP, kButton, "", kOwnerDraw, 405, 122, 18, 17},
             {IDC_LIST_DOWN, kButton, "", kOwnerDraw, 405, 149, 18, 17},
             {IDC_STATIC, kStatic, "TV mode", kLabel, 15, 270, 29, 8},
             {IDC_STATIC, kStatic, "Output format", kLabel, 15, 251, 53, 8},
             {IDC_MAIN_FORMAT, kCombo, NULL, kDropList, 78, 247, 263, 222},
             {IDC_STATIC, kStatic, "Aspect ratio", kLabel, 186, 270, 49, 8},
             {IDC_MAIN_ASPECT, kCombo, NULL, kDropList, 249, 267, 92, 60},
             {IDC_MAIN_TV_MODE, kCombo, NULL, kDropList, 78, 267, 92, 55},
             {IDC_SETTINGS, kButton, "Settings", kPush, 347, 247, 52, 13},
             {IDC_CONVERT, kButton, "Convert", kPush, 347, 267, 52, 13},
         }},
        {IDD_PROGRESS,
         "progress",
         "Tarvello",
         true,
         false,
         "MS Sans Serif",
         8,
         302,
         79,
         {
             {IDC_PROGRESS_TEXT, kStatic, "Static", kStatusText, 5, 7, 292, 19},
             {IDC_PROGRESS_BAR, PROGRESS_CLASSA, "", kProgressBar, 12, 32, 279, 12},
             {IDC_PROGRESS_CANCEL, kButton, "Cancel", kPush, 216, 60, 55, 15},
             {IDC_STATIC, kStatic, "", kEtchedLine, 7, 54, 291, 1},
         }},
        {IDD_TIP,
         "tip",
         "Tip of the Day",
         false,
         false,
         "Arial",
         9,
         231,
         143,
         {
             {IDC_TIP_PANEL, kStatic, "", kHidden, 20, 17, 190, 111},
             {IDC_TIP_TEXT, kStatic, "Some String", kHidden, 22, 57, 189, 52},
             {IDC_TIP_STARTUP, kButton, "&Show Tips on StartUp", kCheck, 13, 121, 85, 10},
             {IDC_TIP_NEXT, kButton, "&Next Tip", kPush, 109, 118, 50, 14},
             {IDOK, kButton, "&Close", kDefPush, 168, 118, 50, 14},
             {IDC_STATIC, kStatic, "", kHiddenFrame, 12, 11, 207, 103},
         }},
        {IDD_OUTPUT_SETTINGS,
         "output_settings",
         "Output Settings",
         false,
         false,
         "Arial",
         9,
         279,
         241,
         {
             {IDC_STATIC, kStatic, "Output format", kLabel, 12, 10, 50, 8},
             {IDC_SET_FORMAT, kCombo, NULL, kDropList, 65, 8, 198, 140},
             {IDC_STATIC, kStatic, "Output quality", kLabel, 12, 28, 50, 8},
             {IDC_SET_QUALITY, kCombo, NULL, kDropList, 65, 26, 198, 80},
             {IDC_STATIC, kStatic, "Video codec", kLabel, 12, 46, 50, 8},
             {IDC_SET_VIDEO_CODEC, kCombo, NULL, kDropList, 65, 44, 65, 41},
             {IDC_STATIC, kStatic, "Audio codec", kLabel, 149, 46, 46, 8},
             {IDC_SET_AUDIO_CODEC, kCombo, NULL, kDropList, 198, 44, 65, 41},
             {IDC_STATIC, kStatic, "Resolution", kLabel, 12, 64, 50, 8},
             {IDC_SET_RESOLUTION, kCombo, NULL, kDropList, 65, 62, 65, 209},
             {IDC_STATIC, kStatic, "Frame rate", kLabel, 149, 64, 46, 8},
             {IDC_SET_FRAME_RATE, kCombo, NULL, kDropList, 198, 62, 65, 99},
             {IDC_STATIC, kStatic, "TV mode", kLabel, 12, 82, 50, 8},
             {IDC_SET_TV_MODE, kCombo, NULL, kDropList, 65, 80, 65, 30},
             {IDC_STATIC, kStatic, "Aspect ratio", kLabel, 149, 82, 46, 8},
             {IDC_SET_ASPECT, kCombo, NULL, kDropList, 198, 80, 65, 79},
             // The encoding speed of MP4, MKV and WebM, in a row of its own
             // that moves the rows below it down.
             {IDC_STATIC, kStatic, "Speed", kLabel, 12, 100, 50, 8},
             {IDC_SET_SPEED, kCombo, NULL, kDropList, 65, 98, 65, 54},
             {IDC_STATIC, kStatic, "Sample rate", kLabel, 149, 100, 46, 8},
             {IDC_SET_SAMPLE_RATE, kCombo, NULL, kDropList, 198, 98, 65, 54},
             {IDC_STATIC, kStatic, "Volume", kLabel, 12, 119, 45, 8},
             {IDC_SET_VOLUME, TRACKBAR_CLASSA, "", kVolume, 62, 119, 70, 9},
             {IDC_SET_VOLUME_TEXT, kStatic, "+0db", kLabel, 149, 118, 38, 8},
             {IDC_SET_LETTERBOX, kButton, "Add letter box to keep aspect ratio", kCheck, 64, 131,
              165, 10},
             // Files converted at once, for every format: below the format's
             // own choices, so format changes never move it.
             {IDC_STATIC, kStatic, "Simultaneous conversions", kLabel, 12, 149, 100, 8},
             {IDC_SET_SIMULTANEOUS, kCombo, NULL, kDropList, 114, 147, 105, 100},
             // Fit to a size, for every format that can: below the rest.
             {IDC_STATIC, kStatic, "Size", kLabel, 12, 167, 50, 8},
             {IDC_SET_TARGET_SIZE, kCombo, NULL, kDropList, 65, 165, 110, 140},
             {IDC_SET_TARGET_APPLIES, kCombo, NULL, kDropList, 183, 165, 80, 40},
             {IDC_SET_TARGET_NOTE, kStatic, "", kLabel, 12, 182, 255, 16},
             // What follows a finished run, for every format: the last choice.
             {IDC_STATIC, kStatic, "When done", kLabel, 12, 202, 50, 8},
             {IDC_SET_WHEN_DONE, kCombo, NULL, kDropList, 65, 200, 110, 60},
             {IDC_STATIC, kStatic, "", kEtchedLine, 7, 219, 265, 1},
             {IDOK, kButton, "Ok", kPush, 173, 225, 35, 12},
             {IDCANCEL, kButton, "Cancel", kPush, 220, 225, 35, 12},
         }},
    };
    return dialogs;
}

void PrintTo(const DialogSpec& tmpl, std::ostream* os) {
    *os << tmpl.name;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Pixels of a dialog-unit rectangle, rounded as the dialog manager does:
// position and size each on its own.
RECT DialogUnits(HWND dialog, int x, int y, int w, int h) {
    RECT r = {x, y, w, h};
    MapDialogRect(dialog, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

class DialogTemplate : public ::testing::TestWithParam<DialogSpec> {
protected:
    void SetUp() override {
        dialog_ = CreateGalleryDialog(GetParam().id);
        ASSERT_TRUE(dialog_ != NULL) << "template " << GetParam().id << " error " << GetLastError();
    }
    void TearDown() override {
        if (dialog_)
            DestroyWindow(dialog_);
    }
    HWND dialog_ = NULL;
};

// What was compiled: exact styles and dialog units, before the system and
// the controls adjust them.
TEST_P(DialogTemplate, CompiledTemplate) {
    const DialogSpec& tmpl = GetParam();
    DialogTemplateData data;
    ASSERT_TRUE(ReadDialogTemplate(tmpl.id, &data));
    EXPECT_EQ(tmpl.w, data.cx);
    EXPECT_EQ(tmpl.h, data.cy);
    EXPECT_EQ(tmpl.font, data.font);
    EXPECT_EQ(tmpl.points, data.points);
    EXPECT_EQ(0u, data.style & WS_VISIBLE);
    ASSERT_EQ(tmpl.controls.size(), data.items.size());
    for (size_t i = 0; i < data.items.size(); ++i) {
        const ControlSpec& c = tmpl.controls[i];
        const TemplateItem& item = data.items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(c.id) + ")");
        EXPECT_EQ(static_cast<WORD>(c.id), static_cast<WORD>(item.id));
        EXPECT_EQ(c.x, item.x);
        EXPECT_EQ(c.y, item.y);
        EXPECT_EQ(c.w, item.cx);
        EXPECT_EQ(c.h, item.cy);
        EXPECT_EQ(c.kind.value, item.style & c.kind.mask) << std::hex << "style 0x" << item.style;
    }
}

TEST_P(DialogTemplate, FrameCaptionFontAndSize) {
    const DialogSpec& tmpl = GetParam();
    EXPECT_EQ(tmpl.caption, wintest::WindowText(dialog_));

    const LONG_PTR style = GetWindowLongPtrA(dialog_, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(dialog_, GWL_EXSTYLE);
    EXPECT_EQ(0, style & WS_VISIBLE) << "templates are created hidden";
    EXPECT_EQ(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
              style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_EQ(tmpl.minimizeBox, (style & WS_MINIMIZEBOX) != 0);
    EXPECT_EQ(0, style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(tmpl.appWindow, (exStyle & WS_EX_APPWINDOW) != 0);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
    ASSERT_TRUE(font != NULL);
    LOGFONTA lf = {};
    ASSERT_NE(0, GetObjectA(font, sizeof lf, &lf));
    EXPECT_STREQ(tmpl.font, lf.lfFaceName);
    HDC screen = GetDC(NULL);
    EXPECT_EQ(-MulDiv(tmpl.points, GetDeviceCaps(screen, LOGPIXELSY), 72), lf.lfHeight);
    ReleaseDC(NULL, screen);

    RECT client;
    GetClientRect(dialog_, &client);
    RECT expected = DialogUnits(dialog_, 0, 0, tmpl.w, tmpl.h);
    EXPECT_EQ(Describe(expected), Describe(client));
}

// The created controls, in tab order: ids, classes, texts, the states and
// button types that matter, and where they stand.
TEST_P(DialogTemplate, ControlsInTabOrder) {
    const DialogSpec& tmpl = GetParam();
    size_t index = 0;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, tmpl.controls.size()) << "more controls than the template should hold";
        const ControlSpec& c = tmpl.controls[index];
        SCOPED_TRACE("control " + std::to_string(index) + " (id " + std::to_string(c.id) + ")");
        EXPECT_EQ(static_cast<WORD>(c.id), static_cast<WORD>(GetDlgCtrlID(child)));
        EXPECT_EQ(0, lstrcmpiA(c.cls, ClassOf(child).c_str())) << ClassOf(child);
        if (c.text) {
            EXPECT_EQ(c.text, wintest::WindowText(child));
        }
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        DWORD mask = kShownMask | WS_TABSTOP;
        if (c.cls == kButton)
            mask |= BS_TYPEMASK;
        EXPECT_EQ(c.kind.value & mask, style & mask) << std::hex << "style 0x" << style;

        const RECT expected = DialogUnits(dialog_, c.x, c.y, c.w, c.h);
        const RECT actual = ClientRectOf(dialog_, child);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        const DWORD type = c.kind.value & SS_TYPEMASK;
        if (c.cls == kStatic && type == SS_ICON)
            continue; // takes its icon's size
        if (c.cls == kStatic && (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT)) {
            // An etched line is two pixels thick and may grow by that edge.
            EXPECT_NEAR(expected.right, actual.right, 2);
            EXPECT_NEAR(expected.bottom, actual.bottom, 2);
            continue;
        }
        EXPECT_EQ(expected.right, actual.right);
        // A drop-down list's template height is that of the opened list.
        if (c.cls != kCombo) {
            EXPECT_EQ(expected.bottom, actual.bottom);
        }
    }
    EXPECT_EQ(tmpl.controls.size(), index);
}

// Shows the dialog and saves what the screen shows; look at these.
TEST_P(DialogTemplate, Screenshot) {
    const DialogSpec& tmpl = GetParam();
    SetWindowPos(dialog_, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(dialog_);
    wintest::PumpMessagesFor(300);
    const std::string path = wintest::EnvPath(
        "TARVELLO_BUILD_DIR", ("screenshots/res/" + std::string(tmpl.name) + ".bmp").c_str());
    EXPECT_TRUE(wintest::SaveWindowScreenshot(dialog_, path.c_str())) << path;
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplate, ::testing::ValuesIn(Dialogs()),
                         [](const ::testing::TestParamInfo<DialogSpec>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
