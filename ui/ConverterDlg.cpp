#include "ui/ConverterDlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "ui/SettingsFile.h"
#include "ui/Skin.h"
#include "core/ConversionSettings.h"
#include "core/OutputFormat.h"
#include "core/SourceListRows.h"
#include "framework/ProgramFolder.h"
#include "ui/ProgressDlg.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "ui/HelpCommands.h"
#include "res/resource.h"
#include "ui/OutputSettingsDlg.h"
#include "ui/CountdownDlg.h"
#include "ui/ListStore.h"

namespace {

// Posted to the main window: a list save after an import's rows, and the
// questions that follow start-up.
constexpr UINT kSaveListMessage = WM_APP + 27;
constexpr UINT kAfterStartMessage = WM_APP + 28;

// The aspect entries of the MPEG1 and MPEG2 formats, and of every other one.
const char* const kMpegAspects[] = {"1:1    (PC VAG)", "4:3    (Standard TV)",
                                    "16:9   (Wide screen TV)", "2.21:1 (CinemaScope movie)"};
const char* const kTvAspects[] = {"4:3    (Standard TV)", "16:9   (Wide screen TV)"};

struct ImageButtonSetUp {
    CImageButton CConverterDlg::*button;
    int icon;
    int size; // pixels at 96 DPI, scaled for the window's
    const char* tooltip;
};

// In the order in which the buttons are set up.
const ImageButtonSetUp kImageButtons[] = {
    {&CConverterDlg::m_convert, IDI_CONVERT_TOOL, 48, "Start converting"},
    {&CConverterDlg::m_settings, IDI_SETTINGS_TOOL, 48, "Settings..."},
    {&CConverterDlg::m_add, IDI_ADD_TOOL, 48, "Add video files to the list"},
    {&CConverterDlg::m_help, IDI_HELP_TOOL, 32, "About,help,home page,tip of the day."},
    {&CConverterDlg::m_listAdd, IDI_LIST_ADD, 32, "Add video files to the list"},
    {&CConverterDlg::m_remove, IDI_LIST_REMOVE, 32, "Remove the selected video file"},
    {&CConverterDlg::m_moveUp, IDI_LIST_UP, 32, "Move the selected video file up"},
    {&CConverterDlg::m_moveDown, IDI_LIST_DOWN, 32, "Move the selected video file down"},
};

} // namespace

CConverterDlg::CConverterDlg(CWnd* parent)
    : CDialog(IDD_CONVERTER_DIALOG, parent), m_hIcon(nullptr), m_importing(false) {
    m_encoderFolder[0] = '\0';
    char start[kPathCapacity];
    BatchHost::StartFolder(start, sizeof start);
    m_startFolder = start;
    m_hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    LoadSettings(m_session.settings);
}

CConverterDlg::~CConverterDlg() {
    delete m_progressDlg; // destroys its window if it still exists
    m_progressDlg = nullptr;
    SaveListNow();
    SaveSettings(m_session.settings);
}

void CConverterDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIN_ASPECT, m_aspect);
    DDX_Control(pDX, IDC_MAIN_TV_MODE, m_tvMode);
    DDX_Control(pDX, IDC_MAIN_FORMAT, m_format);
    DDX_Control(pDX, IDC_OUTPUT_FOLDER, m_outputFolder);
    DDX_Control(pDX, IDC_CHANGE_FOLDER, m_change);
    DDX_Control(pDX, IDC_LIST_UP, m_moveUp);
    DDX_Control(pDX, IDC_LIST_REMOVE, m_remove);
    DDX_Control(pDX, IDC_LIST_DOWN, m_moveDown);
    DDX_Control(pDX, IDC_LIST_ADD, m_listAdd);
    DDX_Control(pDX, IDC_TOOL_HELP, m_help);
    DDX_Control(pDX, IDC_TOOL_ADD, m_add);
    DDX_Control(pDX, IDC_TOOL_CONVERT, m_convert);
    DDX_Control(pDX, IDC_TOOL_SETTINGS, m_settings);
    DDX_Control(pDX, IDC_SOURCE_LIST, m_list);
}

BEGIN_MESSAGE_MAP(CConverterDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_LIST_ADD, ImportFiles)
ON_BN_CLICKED(IDC_CHANGE_FOLDER, ChooseOutputFolder)
ON_BN_CLICKED(IDC_OUTPUT_BESIDE_SOURCE, OnOutputBesideSource)
ON_BN_CLICKED(IDC_TOOL_HELP, ShowHelpMenu)
ON_COMMAND(ID_HELP_CONTENT, OnHelpContent)
ON_COMMAND(ID_HELP_TIP_OF_THE_DAY, OnHelpTipOfTheDay)
ON_COMMAND(ID_HELP_ABOUT, OnHelpAbout)
ON_COMMAND(ID_HELP_HOME_PAGE, OnHelpHomePage)
ON_COMMAND(ID_LIST_REMOVE_FILE, RemoveSelected)
ON_COMMAND(ID_LIST_MOVE_UP, MoveUp)
ON_COMMAND(ID_LIST_MOVE_DOWN, MoveDown)
ON_COMMAND(ID_LIST_SHOW_LOG, ShowLog)
ON_NOTIFY(NM_RCLICK, IDC_SOURCE_LIST, ShowListMenu)
ON_NOTIFY(LVN_GETINFOTIPA, IDC_SOURCE_LIST, OnListInfoTip)
ON_NOTIFY(LVN_GETINFOTIPW, IDC_SOURCE_LIST, OnListInfoTip)
ON_BN_CLICKED(IDC_TOOL_CONVERT, ConvertAll)
ON_BN_CLICKED(IDC_CONVERT, ConvertAll)
ON_BN_CLICKED(IDC_TOOL_SETTINGS, OpenOutputSettings)
ON_BN_CLICKED(IDC_SETTINGS, OpenOutputSettings)
ON_CBN_SELCHANGE(IDC_MAIN_FORMAT, OnSelChangeFormat)
ON_CBN_SELCHANGE(IDC_MAIN_TV_MODE, OnSelChangeTvMode)
ON_WM_HSCROLL()
ON_BN_CLICKED(IDC_TOOL_ADD, ImportFiles)
ON_COMMAND(ID_LIST_ADD_FILES, ImportFiles)
ON_BN_CLICKED(IDC_LIST_REMOVE, RemoveSelected)
ON_BN_CLICKED(IDC_LIST_UP, MoveUp)
ON_BN_CLICKED(IDC_LIST_DOWN, MoveDown)
ON_CBN_SELCHANGE(IDC_MAIN_ASPECT, OnSelChangeAspect)
ON_MESSAGE(WM_DROPFILES, OnDropFiles)
ON_COMMAND(ID_LIST_CONVERT_NOT_DONE, ConvertNotDone)
ON_MESSAGE(kSaveListMessage, OnSaveList)
ON_MESSAGE(kAfterStartMessage, OnAfterStart)
END_MESSAGE_MAP()

BOOL CConverterDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    char about[256] = "";
    if (LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about) > 0 &&
        about[0] != '\0') {
        HMENU systemMenu = GetSystemMenu(FALSE);
        if (systemMenu != nullptr) {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_list.Bind(m_session.sources);
    m_list.SetUpColumns();
    SetUpImageButtons();

    // The folder is kept in 255 characters; longer text could not be used.
    m_outputFolder.LimitText(static_cast<int>(kOutputFolderCapacity - 1));
    m_outputFolder.SetWindowText(m_session.settings.outputFolder);
    // Only 1 is on: a hand-edited value of another kind leaves it off.
    ::CheckDlgButton(m_hWnd, IDC_OUTPUT_BESIDE_SOURCE,
                     m_session.settings.outputBesideSource == 1 ? BST_CHECKED : BST_UNCHECKED);
    CreateProgressDialog();

    m_format.SetCurSel(m_session.settings.outputFormat);
    RefreshTvModeList();
    RefreshAspectList();
    AcceptDroppedFiles();
    RestoreList();
    PostMessage(kAfterStartMessage, 0, 0);
    return TRUE;
}

void CConverterDlg::SetUpImageButtons() {
    // The Change button (1019) keeps its plain look: no icon, no tooltip.
    for (const ImageButtonSetUp& setUp : kImageButtons) {
        CImageButton& button = this->*setUp.button;
        button.SetScaledIcon(setUp.icon, setUp.size);
        button.SetTooltipText(setUp.tooltip, TRUE);
        button.SetTransparent(FALSE);
        button.SetAlign(1, TRUE);
    }
}

void CConverterDlg::CreateProgressDialog() {
    if (m_progressDlg != nullptr)
        return;
    CProgressDlg* progress = new (std::nothrow) CProgressDlg();
    if (progress == nullptr)
        return;
    if (!progress->Create(this)) {
        delete progress;
        return;
    }
    progress->CenterWindow(m_hWnd);
    progress->ShowWindow(SW_HIDE);
    m_progressDlg = progress;
}

// ---- conversion choices ----

void CConverterDlg::RefreshTvModeList() {
    m_tvMode.SetCurSel(m_session.settings.tvMode);
    m_tvMode.EnableWindow(IsDiscFormat(m_session.settings.outputFormat) ? TRUE : FALSE);
}

void CConverterDlg::RefreshAspectList() {
    const int32_t format = m_session.settings.outputFormat;
    m_aspect.ResetContent();
    if (IsMpegFormat(format)) {
        for (const char* entry : kMpegAspects)
            m_aspect.AddString(entry);
        m_aspect.SetCurSel(m_session.settings.mpegAspect);
        m_aspect.EnableWindow(TRUE);
    } else {
        for (const char* entry : kTvAspects)
            m_aspect.AddString(entry);
        m_aspect.SetCurSel(m_session.settings.dvdAspect);
        m_aspect.EnableWindow(IsDiscFormat(format) ? TRUE : FALSE);
    }
}

void CConverterDlg::OnSelChangeFormat() {
    int selection = m_format.GetCurSel();
    if (selection < 0)
        return;
    m_session.settings.outputFormat = selection;
    RefreshTvModeList();
    RefreshAspectList();
}

void CConverterDlg::OnSelChangeTvMode() {
    int selection = m_tvMode.GetCurSel();
    if (selection >= 0)
        m_session.settings.tvMode = selection;
}

void CConverterDlg::OnSelChangeAspect() {
    int selection = m_aspect.GetCurSel();
    if (selection < 0)
        return;
    if (IsMpegFormat(m_session.settings.outputFormat)) {
        m_session.settings.mpegAspect = selection;
    } else {
        m_session.settings.dvdAspect = selection;
    }
}

void CConverterDlg::OpenOutputSettings() {
    COutputSettingsDlg dlg(m_session.settings, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_format.SetCurSel(m_session.settings.outputFormat);
    RefreshTvModeList();
    RefreshAspectList();
}

void CConverterDlg::ChooseOutputFolder() {
    char folder[kOutputFolderCapacity] = "";
    m_outputFolder.GetWindowText(folder, sizeof folder);

    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr)
        return;

    // The shell writes up to MAX_PATH characters, more than the folder keeps.
    char displayName[MAX_PATH + 1] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = "Select a temporary folder";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    LPITEMIDLIST picked = SHBrowseForFolderA(&info);
    if (picked != nullptr) {
        char path[MAX_PATH + 2] = "";
        if (SHGetPathFromIDListA(picked, path) && path[0] != '\0') {
            size_t length = strlen(path);
            if (path[length - 1] != '\\') {
                path[length++] = '\\';
                path[length] = '\0';
            }
            if (length < kOutputFolderCapacity) {
                m_outputFolder.SetWindowText(path);
                SetOutputFolder(m_session.settings, path);
            } else {
                MessageBox("The path of this folder is longer than 255 characters. "
                           "Please choose another folder.",
                           nullptr, MB_OK | MB_ICONWARNING);
            }
        }
        allocator->Free(picked);
    }
    allocator->Release();
}

// ---- menus ----

void CConverterDlg::TrackMenu(UINT menuId, bool throughSkin, UINT grayedId) {
    POINT at = {0, 0};
    GetCursorPos(&at);
    if (at.x == -1 && at.y == -1) {
        at.x = 5;
        at.y = 5;
        ClientToScreen(&at);
    }
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    CMenu popup = menu.GetSubMenu(0);
    if (popup.GetSafeHmenu() == nullptr)
        return;
    if (grayedId != 0)
        EnableMenuItem(popup.GetSafeHmenu(), grayedId, MF_BYCOMMAND | MF_GRAYED);

    HWND owner = m_hWnd;
    while (owner != nullptr && (GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) != 0) {
        owner = ::GetParent(owner);
    }
    if (throughSkin) {
        SkinTrackPopupMenu(popup.GetSafeHmenu(), TPM_RIGHTBUTTON, at.x, at.y, owner);
    } else {
        CWnd ownerWnd(owner);
        popup.TrackPopupMenu(TPM_RIGHTBUTTON, at.x, at.y, &ownerWnd);
        ownerWnd.Detach();
    }
}

void CConverterDlg::ShowHelpMenu() {
    TrackMenu(IDR_HELP_MENU, false);
}

void CConverterDlg::ShowListMenu(NMHDR*, LRESULT* result) {
    TrackMenu(IDR_LIST_MENU, true, SelectedRowLog().empty() ? ID_LIST_SHOW_LOG : 0);
    *result = 0;
}

std::string CConverterDlg::SelectedRowLog() const {
    const RowState* state = m_session.sources.State(m_list.GetSelectedItem());
    if (state == nullptr || state->log.empty())
        return std::string();
    const DWORD attributes = GetFileAttributesA(state->log.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::string();
    return state->log;
}

void CConverterDlg::ShowLog() {
    const std::string log = SelectedRowLog();
    if (log.empty()) {
        MessageBox("This file has no log: it was not converted in the last run, or its log "
                   "was removed.",
                   nullptr, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // The viewer the system has for logs, else Notepad (Windows' own, and
    // Wine's, without a file association).
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = m_hWnd;
    info.lpVerb = "open";
    info.lpFile = log.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info))
        return;
    const std::string quoted = "\"" + log + "\"";
    info.lpFile = "notepad.exe";
    info.lpParameters = quoted.c_str();
    if (!ShellExecuteExA(&info)) {
        MessageBox(("The log cannot be opened:\n" + log).c_str(), nullptr, MB_OK | MB_ICONWARNING);
    }
}

void CConverterDlg::LogsFolder(char* out, size_t size) {
    if (size == 0)
        return;
    out[0] = '\0';
    // Beside the settings: the program folder when it can be written, else
    // the user's own folder.
    SettingsPlaces places;
    DefaultSettingsPlaces(&places);
    char settings[kSettingsPathCapacity];
    if (!SettingsWritePath(places, settings, sizeof settings))
        return;
    const char* slash = std::strrchr(settings, '\\');
    if (slash == nullptr)
        return;
    const int written = std::snprintf(out, size, "%.*slogs\\",
                                      static_cast<int>(slash - settings + 1), settings);
    if (written < 0 || static_cast<size_t>(written) >= size)
        out[0] = '\0';
}

void CConverterDlg::OnListInfoTip(NMHDR* nmhdr, LRESULT* result) {
    *result = 0;
    char tip[kListCellCapacity];
    if (nmhdr->code == LVN_GETINFOTIPA) {
        NMLVGETINFOTIPA* info = reinterpret_cast<NMLVGETINFOTIPA*>(nmhdr);
        m_list.RowTip(info->iItem, tip, sizeof tip);
        if (tip[0] != '\0' && info->pszText != nullptr && info->cchTextMax > 0)
            std::snprintf(info->pszText, static_cast<size_t>(info->cchTextMax), "%s", tip);
    } else {
        NMLVGETINFOTIPW* info = reinterpret_cast<NMLVGETINFOTIPW*>(nmhdr);
        m_list.RowTip(info->iItem, tip, sizeof tip);
        if (tip[0] != '\0' && info->pszText != nullptr && info->cchTextMax > 0 &&
            MultiByteToWideChar(CP_ACP, 0, tip, -1, info->pszText, info->cchTextMax) == 0) {
            info->pszText[0] = L'\0';
        }
    }
}

void CConverterDlg::OnHelpContent() {
    HelpShowContent();
}
void CConverterDlg::OnHelpAbout() {
    HelpShowAbout(VersionText());
}
void CConverterDlg::OnHelpHomePage() {
    HelpOpenHomePage();
}
void CConverterDlg::OnHelpTipOfTheDay() {
    HelpShowTipOfTheDay();
}

void CConverterDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        HelpShowAbout(VersionText());
    } else {
        CWnd::OnSysCommand(id, lParam);
    }
}

// ---- window icon ----

void CConverterDlg::OnPaint() {
    if (!IsIconic()) {
        CWnd::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR CConverterDlg::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

// ---- closing ----

bool CConverterDlg::RefuseWhileBusy() {
    if (!m_importing && !m_converting)
        return false;
    // The probes or the conversion in progress must finish first; the user
    // hears why nothing happens.
    MessageBeep(MB_ICONWARNING);
    return true;
}

void CConverterDlg::OnOK() {
    if (RefuseWhileBusy())
        return;
    CDialog::OnOK();
}

void CConverterDlg::OnCancel() {
    if (RefuseWhileBusy())
        return;
    CDialog::OnCancel();
}

// ---- the engine ----

void CConverterDlg::ConvertAll() {
    if (RefuseWhileBusy())
        return;
    // The run's wait hands this window's queued messages over: a command
    // posted meanwhile must not start a second run or change the list.
    ConvertRows(RunRows::kEvery);
}

void CConverterDlg::ConvertNotDone() {
    ConvertRows(RunRows::kNotDone);
}

void CConverterDlg::ConvertRows(RunRows rows) {
    if (RefuseWhileBusy())
        return;
    m_converting = true;
    ConvertAllRows(*this, m_session, rows);
    m_converting = false;
    SaveListNow();
}

bool CConverterDlg::CountDown(WhenDoneAction action) {
    CCountdownDlg box(action, this);
    return box.DoModal() == IDOK;
}

// ---- the list's file ----

void CConverterDlg::RestoreList() {
    if (m_listPath.empty())
        return;
    LoadedList loaded = LoadList(m_listPath);
    m_resume = DecideResume(loaded.contents.rows);
    StopInterruptedRows(loaded.contents.rows);
    for (const ListFileRow& row : loaded.contents.rows) {
        const int32_t index = m_session.sources.Count();
        if (!m_list.AddRow(row.path.c_str(), row.facts))
            break;
        *m_session.sources.State(index) = row.state;
        m_list.ShowState(index);
    }
    if (loaded.contents.unreadable > 0) {
        char text[1024];
        std::snprintf(text, sizeof text,
                      "The saved list %s could not be read in full: %d of its lines were "
                      "left out, %d %s listed.%s%s",
                      m_listPath.c_str(), static_cast<int>(loaded.contents.unreadable),
                      static_cast<int>(loaded.contents.rows.size()),
                      loaded.contents.rows.size() == 1 ? "file is" : "files are",
                      loaded.keptAs.empty() ? "" : "\nThe file as it was is kept as ",
                      loaded.keptAs.c_str());
        m_listTrouble = text;
    }
    // Interrupted rows are saved as stopped at once: the question comes once.
    SaveListNow();
}

void CConverterDlg::SaveListNow() {
    if (m_listPath.empty())
        return;
    m_listSaveScheduled = false;
    const std::string text = WriteListFile(m_session.sources);
    if (text == m_savedList)
        return;
    if (SaveList(m_listPath, text)) {
        m_savedList = text;
        m_listSaveFailed = false;
        return;
    }
    if (m_listSaveFailed || m_hWnd == nullptr)
        return;
    // Told once, not at every change that fails the same way.
    m_listSaveFailed = true;
    char message[1024];
    std::snprintf(message, sizeof message,
                  "The list could not be saved to %s. It will not be restored at the next start.",
                  m_listPath.c_str());
    MessageBox(message, nullptr, MB_OK | MB_ICONWARNING);
}

void CConverterDlg::ScheduleListSave() {
    if (m_listPath.empty() || m_listSaveScheduled)
        return;
    m_listSaveScheduled = true;
    PostMessage(kSaveListMessage, 0, 0);
}

LRESULT CConverterDlg::OnSaveList(WPARAM, LPARAM) {
    if (m_listSaveScheduled)
        SaveListNow();
    return 0;
}

LRESULT CConverterDlg::OnAfterStart(WPARAM, LPARAM) {
    if (!m_listTrouble.empty()) {
        const std::string text = m_listTrouble;
        m_listTrouble.clear();
        MessageBox(text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
    }
    if (!m_resume.ask)
        return 0;
    m_resume.ask = false;
    char question[256];
    FormatResumeQuestion(m_resume, question, sizeof question);
    if (MessageBox(question, nullptr, MB_YESNO | MB_ICONQUESTION) == IDYES)
        ConvertRows(RunRows::kNotDone);
    return 0;
}

void CConverterDlg::SetEncoderFolder(const char* folder) {
    std::snprintf(m_encoderFolder, sizeof m_encoderFolder, "%s", folder != nullptr ? folder : "");
}

void CConverterDlg::EncoderFolder(char* out, size_t size) {
    if (m_encoderFolder[0] == '\0') {
        ProgramFolder(out, size);
    } else {
        std::snprintf(out, size, "%s", m_encoderFolder);
    }
}

void CConverterDlg::StartFolder(char* out, size_t size) {
    std::snprintf(out, size, "%s", m_startFolder.c_str());
}

void CConverterDlg::OnOutputBesideSource() {
    m_session.settings.outputBesideSource =
        ::IsDlgButtonChecked(m_hWnd, IDC_OUTPUT_BESIDE_SOURCE) == BST_CHECKED ? 1 : 0;
}

void CConverterDlg::ReadOutputFolder(char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    out[0] = '\0';
    m_outputFolder.GetWindowText(out, static_cast<int>(size));
}

// ---- list commands (the list itself keeps the rows in step) ----

void CConverterDlg::RemoveSelected() {
    if (RefuseWhileBusy())
        return;
    m_list.RemoveSelected();
    SaveListNow();
}

void CConverterDlg::MoveUp() {
    if (RefuseWhileBusy())
        return;
    m_list.MoveUp();
    SaveListNow();
}

void CConverterDlg::MoveDown() {
    if (RefuseWhileBusy())
        return;
    m_list.MoveDown();
    SaveListNow();
}
