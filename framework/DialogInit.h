// Initial list entries of dialog templates.
//
// The resource script keeps the entries that a template gives its combo and
// list boxes in a resource of type 240 (RT_DLGINIT) with the template's id,
// because windres has no DLGINIT statement. A dialog's initialisation calls
// LoadDialogInitEntries once, before it touches its lists:
//
//   BOOL CDialog::OnInitDialog() { LoadDialogInitEntries(m_hWnd, templateId); ... }
//
// The data format is in DialogInitData.h.
#pragma once

#include <windows.h>

// Adds the stored entries of template `templateId` to the dialog's controls
// (CB_ADDSTRING / LB_ADDSTRING, in stored order). The resource is looked up in
// the dialog's own module, then in the executable. Returns the number of
// entries added: 0 when the template has none, -1 when the stored data is
// malformed (the entries before the fault are added all the same).
int LoadDialogInitEntries(HWND dialog, int templateId);
