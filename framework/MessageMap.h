// Message maps: a static table per window class that the window procedure
// walks, derived class first, then its bases.
//
//   class CMyDlg : public CDialog {
//       ...
//       void OnAdd();
//       DECLARE_MESSAGE_MAP()
//   };
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_BN_CLICKED(IDC_ADD, OnAdd)      // handler names are given bare
//       ON_MESSAGE(WM_ENCODER_EVENT, OnEncoderEvent)
//   END_MESSAGE_MAP()
//
// Each entry holds the message, the notification code and control id it
// matches, and a small function (a capture-less lambda made by the macro)
// that unpacks the parameters and calls the member handler. The handler's
// LRESULT reaches the sender, for dialogs through DWLP_MSGRESULT.
//
// Reflection: WM_COMMAND and WM_NOTIFY from a control, WM_CTLCOLOR* and
// WM_DRAWITEM are first offered to the control's own C++ object (if the
// control is subclassed) as WM_REFLECT_BASE + message; only when the control
// does not handle them does the parent's map see them.
#pragma once

#include <windows.h>

class CWnd;

// Reflected messages: WM_REFLECT_BASE + WM_COMMAND, + WM_NOTIFY, + WM_CTLCOLOR
// (all WM_CTLCOLOR* kinds, the kind in the handler's nCtlColor), + WM_DRAWITEM.
#define WM_REFLECT_BASE 0xBC00
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// nCtlColor values passed to the colour handlers.
#ifndef CTLCOLOR_MSGBOX
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#endif

// Calls the handler; returns TRUE when the message counts as handled and
// stores the message result in *result.
typedef BOOL (*MsgHandlerFn)(CWnd* self, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct MsgMapEntry {
    UINT message; // 0 ends the table
    UINT code;    // notification code (WM_COMMAND, WM_NOTIFY and their reflections)
    UINT id;      // control or command id (WM_COMMAND, WM_NOTIFY only)
    MsgHandlerFn handler;
};

struct MsgMap {
    const MsgMap* (*base)(); // null for CWnd
    const MsgMapEntry* entries;
};

// Entries with this flag in `code` match any notification code (plain messages).
#define MSGMAP_ANY_CODE 0xFFFFFFFFu

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const MsgMap* GetThisMessageMap();                                                      \
    const MsgMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MsgMap* theClass::GetMessageMap() const {                                                \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const MsgMap* theClass::GetThisMessageMap() {                                                  \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const MsgMap map = {&TheBaseClass::GetThisMessageMap, entries};                         \
    return &map;                                                                                   \
    }

// Internal: one entry whose handler runs the body (the variadic part, which
// may hold commas) with `self` typed ThisClass*.
#define MSGMAP_ENTRY(msg, code, id, ...)                                                           \
    {(msg), (code), (id), [](CWnd* w_, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL {    \
         ThisClass* self = static_cast<ThisClass*>(w_);                                            \
         (void)self;                                                                               \
         (void)wParam;                                                                             \
         (void)lParam;                                                                             \
         (void)result;                                                                             \
         __VA_ARGS__                                                                               \
     }},

// --- commands and control notifications (handler: void fn()) ---
#define ON_COMMAND(id, fn)                                                                         \
    MSGMAP_ENTRY(WM_COMMAND, 0, (id), {                                                            \
        self->fn();                                                                                \
        return TRUE;                                                                               \
    })
#define ON_CONTROL(code, id, fn)                                                                   \
    MSGMAP_ENTRY(WM_COMMAND, (code), (id), {                                                       \
        self->fn();                                                                                \
        return TRUE;                                                                               \
    })
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// WM_NOTIFY from control `id` (handler: void fn(NMHDR* nmhdr, LRESULT* result)).
#define ON_NOTIFY(code, id, fn)                                                                    \
    MSGMAP_ENTRY(WM_NOTIFY, (UINT)(code), (id), {                                                  \
        *result = 0;                                                                               \
        self->fn(reinterpret_cast<NMHDR*>(lParam), result);                                        \
        return TRUE;                                                                               \
    })

// Any message (handler: LRESULT fn(WPARAM, LPARAM)); the result goes to the sender.
#define ON_MESSAGE(msg, fn)                                                                        \
    MSGMAP_ENTRY((msg), MSGMAP_ANY_CODE, 0, {                                                      \
        *result = self->fn(wParam, lParam);                                                        \
        return TRUE;                                                                               \
    })

// --- reflected notifications, handled by the control's own object ---
// void fn(): the parent does not see the notification.
#define ON_CONTROL_REFLECT(code, fn)                                                               \
    MSGMAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (code), 0, {                                        \
        self->fn();                                                                                \
        return TRUE;                                                                               \
    })
// BOOL fn(): return FALSE to let the parent handle the notification as well.
#define ON_CONTROL_REFLECT_EX(code, fn)                                                            \
    MSGMAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (code), 0, { return self->fn(); })
// HBRUSH CtlColor(HDC dc, UINT nCtlColor): a null brush leaves the request to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    MSGMAP_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, MSGMAP_ANY_CODE, 0, {                              \
        HBRUSH b = self->CtlColor(reinterpret_cast<HDC>(wParam), (UINT)lParam);                    \
        *result = reinterpret_cast<LRESULT>(b);                                                    \
        return b != nullptr;                                                                       \
    })

// --- window messages with unpacked parameters (names as the handlers) ---
#define ON_WM_PAINT()                                                                              \
    MSGMAP_ENTRY(WM_PAINT, MSGMAP_ANY_CODE, 0, {                                                   \
        self->OnPaint();                                                                           \
        return TRUE;                                                                               \
    })
#define ON_WM_SYSCOMMAND()                                                                         \
    MSGMAP_ENTRY(WM_SYSCOMMAND, MSGMAP_ANY_CODE, 0, {                                              \
        self->OnSysCommand((UINT)wParam, lParam);                                                  \
        return TRUE;                                                                               \
    })
#define ON_WM_QUERYDRAGICON()                                                                      \
    MSGMAP_ENTRY(WM_QUERYDRAGICON, MSGMAP_ANY_CODE, 0, {                                           \
        *result = reinterpret_cast<LRESULT>(self->OnQueryDragIcon());                              \
        return TRUE;                                                                               \
    })
// HBRUSH OnCtlColor(HDC dc, HWND control, UINT nCtlColor), for every WM_CTLCOLOR* kind.
#define ON_WM_CTLCOLOR()                                                                           \
    MSGMAP_ENTRY(WM_CTLCOLOR, MSGMAP_ANY_CODE, 0, {                                                \
        *result = reinterpret_cast<LRESULT>(                                                       \
            self->OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),        \
                             self->CurrentMessage() - WM_CTLCOLORMSGBOX));                         \
        return TRUE;                                                                               \
    })
#define ON_WM_HSCROLL()                                                                            \
    MSGMAP_ENTRY(WM_HSCROLL, MSGMAP_ANY_CODE, 0, {                                                 \
        self->OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));           \
        return TRUE;                                                                               \
    })
#define ON_WM_TIMER()                                                                              \
    MSGMAP_ENTRY(WM_TIMER, MSGMAP_ANY_CODE, 0, {                                                   \
        self->OnTimer((UINT_PTR)wParam);                                                           \
        return TRUE;                                                                               \
    })
#define ON_WM_MOUSEMOVE()                                                                          \
    MSGMAP_ENTRY(WM_MOUSEMOVE, MSGMAP_ANY_CODE, 0, {                                               \
        POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};                                 \
        self->OnMouseMove((UINT)wParam, pt);                                                       \
        return TRUE;                                                                               \
    })
#define ON_WM_SETCURSOR()                                                                          \
    MSGMAP_ENTRY(WM_SETCURSOR, MSGMAP_ANY_CODE, 0, {                                               \
        *result =                                                                                  \
            self->OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));     \
        return TRUE;                                                                               \
    })
#define ON_WM_DESTROY()                                                                            \
    MSGMAP_ENTRY(WM_DESTROY, MSGMAP_ANY_CODE, 0, {                                                 \
        self->OnDestroy();                                                                         \
        return TRUE;                                                                               \
    })
#define ON_WM_KILLFOCUS()                                                                          \
    MSGMAP_ENTRY(WM_KILLFOCUS, MSGMAP_ANY_CODE, 0, {                                               \
        self->OnKillFocus(reinterpret_cast<HWND>(wParam));                                         \
        return TRUE;                                                                               \
    })
#define ON_WM_CANCELMODE()                                                                         \
    MSGMAP_ENTRY(WM_CANCELMODE, MSGMAP_ANY_CODE, 0, {                                              \
        self->OnCancelMode();                                                                      \
        return TRUE;                                                                               \
    })
#define ON_WM_GETDLGCODE()                                                                         \
    MSGMAP_ENTRY(WM_GETDLGCODE, MSGMAP_ANY_CODE, 0, {                                              \
        *result = self->OnGetDlgCode();                                                            \
        return TRUE;                                                                               \
    })
#define ON_WM_ERASEBKGND()                                                                         \
    MSGMAP_ENTRY(WM_ERASEBKGND, MSGMAP_ANY_CODE, 0, {                                              \
        *result = self->OnEraseBkgnd(reinterpret_cast<HDC>(wParam));                               \
        return TRUE;                                                                               \
    })
#define ON_WM_SYSCOLORCHANGE()                                                                     \
    MSGMAP_ENTRY(WM_SYSCOLORCHANGE, MSGMAP_ANY_CODE, 0, {                                          \
        self->OnSysColorChange();                                                                  \
        return TRUE;                                                                               \
    })
