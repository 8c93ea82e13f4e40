#include "framework/FileDialog.h"

#include <cstdio>

#include "framework/Wnd.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_ofn(), m_openFileDialog(openFileDialog), m_initialName(fileName) {
    m_ownBuffer[0] = '\0';
    m_filter[0] = '\0';
    m_filter[1] = '\0';
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent != nullptr ? parent->m_hWnd : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = defaultExt;
    if (filter != nullptr && ConvertFilterText(filter, m_filter, sizeof m_filter)) {
        m_ofn.lpstrFilter = m_filter;
        m_ofn.nFilterIndex = 1;
    }
    SetFileBuffer(m_ownBuffer, sizeof m_ownBuffer);
}

void CFileDialog::SetFileBuffer(char* buffer, DWORD size) {
    m_ofn.lpstrFile = buffer;
    m_ofn.nMaxFile = size;
    if (size > 0)
        snprintf(buffer, size, "%s", m_initialName != nullptr ? m_initialName : "");
    if (size > 1)
        buffer[size - 1] = '\0';
}

INT_PTR CFileDialog::DoModal() {
    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = CWnd::GetSafeOwner(nullptr);
    BOOL ok = m_openFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

FileSelection CFileDialog::GetSelection() const {
    return FileSelection(m_ofn.lpstrFile, m_ofn.nMaxFile);
}
