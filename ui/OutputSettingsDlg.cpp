#include "ui/OutputSettingsDlg.h"

#include <initializer_list>

#include "core/ConversionSettings.h"
#include "core/TargetSizeChoices.h"
#include "ui/TargetSizeDlg.h"
#include "res/resource.h"

COutputSettingsDlg::COutputSettingsDlg(ConversionSettings& settings, CWnd* parent)
    : CDialog(IDD_OUTPUT_SETTINGS, parent), m_settings(settings), m_model(LogicalProcessors()) {}

int COutputSettingsDlg::LogicalProcessors() {
    // The processors of the calling process's group, which is every one on a
    // machine of up to 64; the list only marks counts up to 8 anyway. Also
    // right for a 32-bit process on 64-bit Windows.
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

BEGIN_MESSAGE_MAP(COutputSettingsDlg, CDialog)
ON_CBN_SELCHANGE(IDC_SET_FORMAT, OnSelChangeFormat)
ON_CBN_SELCHANGE(IDC_SET_QUALITY, OnSelChangeQuality)
ON_CBN_SELCHANGE(IDC_SET_VIDEO_CODEC, OnSelChangeVideoCodec)
ON_CBN_SELCHANGE(IDC_SET_AUDIO_CODEC, OnSelChangeAudioCodec)
ON_CBN_SELCHANGE(IDC_SET_RESOLUTION, OnSelChangeResolution)
ON_CBN_SELCHANGE(IDC_SET_FRAME_RATE, OnSelChangeFrameRate)
ON_CBN_SELCHANGE(IDC_SET_TV_MODE, OnSelChangeTvMode)
ON_CBN_SELCHANGE(IDC_SET_ASPECT, OnSelChangeAspect)
ON_CBN_SELCHANGE(IDC_SET_SPEED, OnSelChangeSpeed)
ON_CBN_SELCHANGE(IDC_SET_SIMULTANEOUS, OnSelChangeSimultaneous)
ON_CBN_SELCHANGE(IDC_SET_WHEN_DONE, OnSelChangeWhenDone)
ON_CBN_SELCHANGE(IDC_SET_SAMPLE_RATE, OnSelChangeSampleRate)
ON_CBN_SELCHANGE(IDC_SET_TARGET_SIZE, OnSelChangeTargetSize)
ON_CBN_SELCHANGE(IDC_SET_TARGET_APPLIES, OnSelChangeTargetApplies)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

void COutputSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SET_LETTERBOX, m_letterbox);
    DDX_Control(pDX, IDC_SET_VOLUME_TEXT, m_volumeText);
    DDX_Control(pDX, IDC_SET_VOLUME, m_volume);
    DDX_Control(pDX, IDC_SET_FORMAT, m_format);
    DDX_Control(pDX, IDC_SET_QUALITY, m_quality);
    DDX_Control(pDX, IDC_SET_VIDEO_CODEC, m_videoCodec);
    DDX_Control(pDX, IDC_SET_AUDIO_CODEC, m_audioCodec);
    DDX_Control(pDX, IDC_SET_RESOLUTION, m_resolution);
    DDX_Control(pDX, IDC_SET_FRAME_RATE, m_frameRate);
    DDX_Control(pDX, IDC_SET_TV_MODE, m_tvMode);
    DDX_Control(pDX, IDC_SET_ASPECT, m_aspect);
    DDX_Control(pDX, IDC_SET_SPEED, m_speed);
    DDX_Control(pDX, IDC_SET_SIMULTANEOUS, m_simultaneous);
    DDX_Control(pDX, IDC_SET_WHEN_DONE, m_whenDone);
    DDX_Control(pDX, IDC_SET_SAMPLE_RATE, m_sampleRate);
    DDX_Control(pDX, IDC_SET_TARGET_SIZE, m_targetSize);
    DDX_Control(pDX, IDC_SET_TARGET_APPLIES, m_targetApplies);
    DDX_Control(pDX, IDC_SET_TARGET_NOTE, m_targetNote);
}

BOOL COutputSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog(); // adds the template's formats, binds the controls

    m_model.Load(m_settings);
    // The format list keeps the template's entries; only its selection is set
    // (none for a format it does not have).
    ListState format;
    m_model.Fill(SettingsList::Format, &format);
    m_format.SetCurSel(format.selection);
    m_letterbox.SetCheck(m_settings.letterbox != 0 ? BST_CHECKED : BST_UNCHECKED);

    // The reasons of the controls that do not apply to a format, and the
    // Size list's, show in one tooltip of the dialog.
    m_tips.Create(this, TTS_ALWAYSTIP);
    m_tips.SetMaxTipWidth(320);
    for (int id : {IDC_SET_QUALITY, IDC_SET_VIDEO_CODEC, IDC_SET_AUDIO_CODEC, IDC_SET_RESOLUTION,
                   IDC_SET_FRAME_RATE, IDC_SET_TV_MODE, IDC_SET_ASPECT, IDC_SET_SAMPLE_RATE,
                   IDC_SET_VOLUME, IDC_SET_LETTERBOX, IDC_SET_TARGET_SIZE})
        AddTipTool(id);

    FillQualityList();
    FillCodecLists();
    FillTvModeList();
    FillResolutionList();
    FillFrameRateList();
    FillAspectList();
    FillSpeedList();
    FillSampleRateList();
    FillSimultaneousList(); // the same for every format: never refilled
    Render(SettingsList::WhenDone, m_whenDone); // likewise
    ShowVolume();
    ShowSoundAndPictureSwitches();
    m_targetKb = m_settings.targetSizeKb;
    m_targetAppliesTo = m_settings.targetAppliesTo;
    FillTargetLists();
    return TRUE;
}

void COutputSettingsDlg::AddTipTool(int id) {
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = static_cast<UINT_PTR>(id);
    ::GetWindowRect(::GetDlgItem(m_hWnd, id), &tool.rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.lpszText = const_cast<char*>("");
    m_tips.SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void COutputSettingsDlg::SetTip(int id, const char* text) {
    m_tips.UpdateTipText(text != nullptr ? text : "", this, static_cast<UINT_PTR>(id));
}

void COutputSettingsDlg::OnOK() {
    m_model.Commit(m_settings, m_letterbox.GetCheck() == BST_CHECKED);
    m_settings.targetSizeKb = m_targetKb;
    m_settings.targetAppliesTo = m_targetAppliesTo;
    CDialog::OnOK();
}

void COutputSettingsDlg::Render(SettingsList list, CComboBox& combo) {
    ListState state;
    m_model.Fill(list, &state);
    combo.ResetContent();
    for (int i = 0; i < state.count; ++i)
        combo.AddString(state.Entry(i));
    combo.SetCurSel(state.selection); // -1 clears it
    combo.EnableWindow(state.enabled ? TRUE : FALSE);
    SetTip(combo.GetDlgCtrlID(), state.reason);
}

void COutputSettingsDlg::FillQualityList() {
    Render(SettingsList::Quality, m_quality);
}

void COutputSettingsDlg::FillCodecLists() {
    m_videoCodec.ResetContent();
    m_audioCodec.ResetContent();
    Render(SettingsList::VideoCodec, m_videoCodec);
    Render(SettingsList::AudioCodec, m_audioCodec);
}

void COutputSettingsDlg::FillTvModeList() {
    Render(SettingsList::TvMode, m_tvMode);
}

void COutputSettingsDlg::FillResolutionList() {
    Render(SettingsList::Resolution, m_resolution);
}

void COutputSettingsDlg::FillFrameRateList() {
    Render(SettingsList::FrameRate, m_frameRate);
}

void COutputSettingsDlg::FillAspectList() {
    Render(SettingsList::Aspect, m_aspect);
}

void COutputSettingsDlg::FillSpeedList() {
    Render(SettingsList::Speed, m_speed);
}

void COutputSettingsDlg::FillSimultaneousList() {
    Render(SettingsList::Simultaneous, m_simultaneous);
}

void COutputSettingsDlg::FillSampleRateList() {
    Render(SettingsList::SampleRate, m_sampleRate);
}

void COutputSettingsDlg::ShowSoundAndPictureSwitches() {
    const char* volume = m_model.VolumeDisabledReason();
    m_volume.EnableWindow(volume == nullptr ? TRUE : FALSE);
    SetTip(IDC_SET_VOLUME, volume);
    const char* letterbox = m_model.LetterboxDisabledReason();
    m_letterbox.EnableWindow(letterbox == nullptr ? TRUE : FALSE);
    SetTip(IDC_SET_LETTERBOX, letterbox);
}

void COutputSettingsDlg::ShowVolume() {
    m_volume.SetRange(OutputSettingsModel::kVolumeMin, OutputSettingsModel::kVolumeMax, FALSE);
    m_volume.SetPos(m_model.Copy().volume);
    ShowVolumeText();
}

void COutputSettingsDlg::ShowVolumeText() {
    char text[32];
    OutputSettingsModel::VolumeText(m_model.Copy().volume, text, sizeof text);
    m_volumeText.SetWindowText(text);
}

void COutputSettingsDlg::Refill(unsigned lists) {
    if (lists & kRefillQuality)
        FillQualityList();
    if (lists & kRefillCodecs)
        FillCodecLists();
    if (lists & kRefillTvMode)
        FillTvModeList();
    if (lists & kRefillResolution)
        FillResolutionList();
    if (lists & kRefillFrameRate)
        FillFrameRateList();
    if (lists & kRefillAspect)
        FillAspectList();
    if (lists & kRefillSpeed)
        FillSpeedList();
    if (lists & kRefillSampleRate)
        FillSampleRateList();
}

void COutputSettingsDlg::Pick(SettingsList list, const CComboBox& combo) {
    Refill(m_model.Select(list, combo.GetCurSel()));
}

void COutputSettingsDlg::OnSelChangeFormat() {
    Pick(SettingsList::Format, m_format);
    ShowSoundAndPictureSwitches();
    FillTargetLists();
}
void COutputSettingsDlg::OnSelChangeQuality() {
    Pick(SettingsList::Quality, m_quality);
}
void COutputSettingsDlg::OnSelChangeVideoCodec() {
    Pick(SettingsList::VideoCodec, m_videoCodec);
}
void COutputSettingsDlg::OnSelChangeAudioCodec() {
    Pick(SettingsList::AudioCodec, m_audioCodec);
}
void COutputSettingsDlg::OnSelChangeResolution() {
    Pick(SettingsList::Resolution, m_resolution);
}
void COutputSettingsDlg::OnSelChangeFrameRate() {
    Pick(SettingsList::FrameRate, m_frameRate);
}
void COutputSettingsDlg::OnSelChangeTvMode() {
    Pick(SettingsList::TvMode, m_tvMode);
}
void COutputSettingsDlg::OnSelChangeAspect() {
    Pick(SettingsList::Aspect, m_aspect);
}
void COutputSettingsDlg::OnSelChangeSpeed() {
    Pick(SettingsList::Speed, m_speed);
}
void COutputSettingsDlg::OnSelChangeSimultaneous() {
    Pick(SettingsList::Simultaneous, m_simultaneous);
}
void COutputSettingsDlg::OnSelChangeSampleRate() {
    Pick(SettingsList::SampleRate, m_sampleRate);
}

void COutputSettingsDlg::OnSelChangeWhenDone() {
    Pick(SettingsList::WhenDone, m_whenDone);
}

void COutputSettingsDlg::OnHScroll(UINT /*code*/, UINT /*position*/, HWND scrollBar) {
    // Every scroll code, dragging included, so the label follows the thumb.
    if (scrollBar != nullptr && scrollBar == m_volume.m_hWnd) {
        m_model.SetVolume(m_volume.GetPos());
        ShowVolumeText();
    }
    Default();
}

void COutputSettingsDlg::FillTargetLists() {
    const int32_t format = m_model.Copy().outputFormat;
    ListState size;
    FillTargetSizeList(m_targetKb, format, &size);
    ListState applies;
    FillTargetAppliesList(m_targetKb, m_targetAppliesTo, format, &applies);
    const auto show = [](CComboBox& combo, const ListState& state) {
        combo.ResetContent();
        for (int i = 0; i < state.count; ++i)
            combo.AddString(state.Entry(i));
        combo.SetCurSel(state.selection);
        combo.EnableWindow(state.enabled ? TRUE : FALSE);
    };
    show(m_targetSize, size);
    show(m_targetApplies, applies);
    m_targetNote.SetWindowText(size.enabled && size.selection > 0 ? kTargetQualityNote : "");
    const char* reason = TargetSizeDisabledReason(format);
    SetTip(IDC_SET_TARGET_SIZE, reason);
}

void COutputSettingsDlg::OnSelChangeTargetSize() {
    int32_t kb = TargetKbAt(m_targetKb, m_targetSize.GetCurSel());
    if (kb == kTargetSizeAsk) {
        CTargetSizeDlg other(m_targetKb, this);
        kb = other.DoModal() == IDOK ? other.Kb() : m_targetKb;
    }
    m_targetKb = kb;
    FillTargetLists();
}

void COutputSettingsDlg::OnSelChangeTargetApplies() {
    m_targetAppliesTo = m_targetApplies.GetCurSel() == 1 ? 1 : 0;
}
