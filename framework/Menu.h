// CMenu: a menu handle. A menu loaded or created here is destroyed with the
// object; GetSubMenu gives a non-owning object for a popup inside it.
#pragma once

#include <windows.h>

class CWnd;

class CMenu {
public:
    CMenu() : m_hMenu(nullptr), m_owned(false) {}
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu;
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // Loads menu resource `id` from the application's module.
    BOOL LoadMenu(UINT id);
    // Takes a handle; `owned`: destroy it with the object.
    void Attach(HMENU menu, bool owned = false);
    HMENU Detach();
    // Destroys an owned menu; forgets a borrowed one.
    BOOL DestroyMenu();

    // The popup at `pos` (not owned; valid while this menu lives).
    CMenu GetSubMenu(int pos) const;

    // Shows this popup at screen point (x, y); the chosen command goes to
    // `owner` as WM_COMMAND (TPM_RETURNCMD in flags returns it instead).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const;

private:
    CMenu(HMENU menu, bool owned) : m_hMenu(menu), m_owned(owned) {}
    bool m_owned;
};
