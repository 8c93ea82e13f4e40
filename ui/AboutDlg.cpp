#include "ui/AboutDlg.h"

#include <cstdio>

#include "res/resource.h"

CAboutDlg::CAboutDlg(const char* versionText, const char* homePage, const char* support)
    : CDialog(IDD_ABOUTBOX, nullptr), m_versionText(versionText != nullptr ? versionText : ""),
      m_homePageAddress(homePage), m_supportAddress(support) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_VERSION, m_title);
    DDX_LinkLabel(pDX, IDC_ABOUT_HOME_PAGE, m_homePage);
    DDX_LinkLabel(pDX, IDC_ABOUT_SUPPORT, m_support);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    char title[300];
    std::snprintf(title, sizeof title, "Tarvello %s", m_versionText.c_str());
    m_title.SetWindowText(title);

    m_homePage.SetLinkTarget(m_homePageAddress.c_str());
    m_homePage.SetUnderlined(TRUE);
    m_support.SetLinkTarget(m_supportAddress.c_str());
    m_support.SetUnderlined(TRUE);
    return TRUE;
}
