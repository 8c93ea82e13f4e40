// COutputSettingsDlg: the "Output Settings" dialog (template 166), in which
// the user edits every conversion choice but the output folder. It works on
// a private copy (OutputSettingsModel); Ok writes the copy and the letter-box
// check box back, Cancel, Escape and the close box write nothing.
#pragma once

#include <windows.h>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/SliderCtrl.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"
#include "core/OutputSettingsModel.h"

struct ConversionSettings;

class COutputSettingsDlg : public CDialog {
public:
    // Edits `settings` (which must outlive the dialog).
    explicit COutputSettingsDlg(ConversionSettings& settings, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // The working copy as it stands.
    const OutputSettingsCopy& WorkingCopy() const { return m_model.Copy(); }

    // The machine's number of logical processors, as the Simultaneous list
    // marks it.
    static int LogicalProcessors();

protected:
    // Each empties its list(s) and fills them for the copy's output format.
    void FillQualityList();
    void FillCodecLists();
    void FillTvModeList();
    void FillResolutionList();
    void FillFrameRateList();
    void FillAspectList();
    void FillSpeedList();
    void FillSimultaneousList();
    void FillSampleRateList();
    // Enables the volume and the letter box where they apply, the reason
    // in their tooltips where they do not.
    void ShowSoundAndPictureSwitches();
    // Track bar range and position, and the dB label.
    void ShowVolume();

    void OnSelChangeFormat();
    void OnSelChangeQuality();
    void OnSelChangeVideoCodec();
    void OnSelChangeAudioCodec();
    void OnSelChangeResolution();
    void OnSelChangeFrameRate();
    void OnSelChangeTvMode();
    void OnSelChangeAspect();
    void OnSelChangeSpeed();
    void OnSelChangeSimultaneous();
    void OnSelChangeWhenDone();
    void OnSelChangeSampleRate();
    void OnSelChangeTargetSize();
    void OnSelChangeTargetApplies();
    void OnHScroll(UINT code, UINT position, HWND scrollBar);

    DECLARE_MESSAGE_MAP()

private:
    void Render(SettingsList list, CComboBox& combo);
    void Pick(SettingsList list, const CComboBox& combo);
    void Refill(unsigned lists);
    void ShowVolumeText();
    // A tool over control `id` in the dialog's tooltip: a disabled control
    // gets no mouse messages, so its tip belongs to the dialog.
    void AddTipTool(int id);
    // The tip of control `id`; null or "" shows none.
    void SetTip(int id, const char* text);
    // The Size list, its companion and the note, for the copy's format; the
    // reason a disabled Size list gives in its tooltip.
    void FillTargetLists();

    // The target's choices, kept beside the model's copy.
    int32_t m_targetKb = 0;
    int32_t m_targetAppliesTo = 0;
    CComboBox m_targetSize;
    CComboBox m_targetApplies;
    CStatic m_targetNote;
    CToolTipCtrl m_tips;

    ConversionSettings& m_settings;
    OutputSettingsModel m_model;

    CComboBox m_format;
    CComboBox m_quality;
    CComboBox m_videoCodec;
    CComboBox m_audioCodec;
    CComboBox m_resolution;
    CComboBox m_frameRate;
    CComboBox m_tvMode;
    CComboBox m_aspect;
    CComboBox m_speed;
    CComboBox m_simultaneous;
    CComboBox m_whenDone;
    CComboBox m_sampleRate;
    CSliderCtrl m_volume;
    CStatic m_volumeText;
    CButton m_letterbox;
};
