// The About box: program name and version, and links to the home page and to
// technical support.
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "ui/HelpConfig.h"
#include "ui/LinkLabel.h"
#include "ui/TextLabel.h"

class CAboutDlg : public CDialog {
public:
    // `versionText` is the text read from version.ini ("1.00" without one).
    explicit CAboutDlg(const char* versionText, const char* homePage = kHomePageAddress,
                       const char* support = kSupportAddress);

    CTextLabel m_title;    // 1046
    CLinkLabel m_homePage; // 1047
    CLinkLabel m_support;  // 1049

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    std::string m_versionText;
    std::string m_homePageAddress;
    std::string m_supportAddress;
};
