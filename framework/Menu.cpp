#include "framework/Menu.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

BOOL CMenu::LoadMenu(UINT id) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
    m_owned = m_hMenu != nullptr;
    return m_hMenu != nullptr;
}

void CMenu::Attach(HMENU menu, bool owned) {
    DestroyMenu();
    m_hMenu = menu;
    m_owned = owned && menu != nullptr;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    m_owned = false;
    return menu;
}

BOOL CMenu::DestroyMenu() {
    BOOL done = TRUE;
    if (m_hMenu != nullptr && m_owned)
        done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_owned = false;
    return done;
}

CMenu CMenu::GetSubMenu(int pos) const {
    return CMenu(m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, pos) : nullptr, false);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const {
    if (m_hMenu == nullptr)
        return FALSE;
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner != nullptr ? owner->m_hWnd : nullptr,
                            nullptr);
}
