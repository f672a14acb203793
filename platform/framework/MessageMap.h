// Static message maps: per class, an ordered list of (message, notification
// code, control identifier range, handler) entries, searched before the
// base class's list. Raw wParam/lParam are cracked into the handler's typed
// arguments in one place (CWnd::OnWndMsg), chosen by the entry's signature.
#pragma once

#include "platform/windowing/Api.h"

class CCmdTarget;
class CWnd;

using AFX_PMSG = void (CCmdTarget::*)();

// The handler signatures the maps know; each names the member of
// AfxHandler that an entry holds.
enum class AfxSig {
    end,         // marks the end of a list
    command,     // void ()                   commands (CCmdTarget)
    v_v,         // void ()                   WM_PAINT
    v_u_l,       // void (UINT, LPARAM)       WM_SYSCOMMAND
    h_v,         // HCURSOR ()                WM_QUERYDRAGICON
    l_w_l,       // LRESULT (WPARAM, LPARAM)  ON_MESSAGE
    b_helpinfo,  // BOOL (HELPINFO*)          WM_HELP
};

union AfxHandler {
    AFX_PMSG command;
    void (CWnd::*v_v)();
    void (CWnd::*v_u_l)(UINT, LPARAM);
    HCURSOR (CWnd::*h_v)();
    LRESULT (CWnd::*l_w_l)(WPARAM, LPARAM);
    BOOL (CWnd::*b_helpinfo)(HELPINFO*);
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AfxSig nSig;
    AfxHandler pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    const AFX_MSGMAP* GetMessageMap() const override;  \
                                                       \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        using ThisClass [[maybe_unused]] = theClass;                                   \
        using TheBaseClass = baseClass;                                                \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                      \
    {0, 0, 0, 0, AfxSig::end, {.command = nullptr}}                            \
    }                                                                          \
    ;                                                                          \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
    return &map;                                                               \
    }

// Handlers of window messages; the member must have the stated signature.
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig::v_v, {.v_v = static_cast<void (CWnd::*)()>(&ThisClass::OnPaint)}},
#define ON_WM_SYSCOMMAND()                  \
    {WM_SYSCOMMAND, 0, 0, 0, AfxSig::v_u_l, \
     {.v_u_l = static_cast<void (CWnd::*)(UINT, LPARAM)>(&ThisClass::OnSysCommand)}},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, AfxSig::h_v, {.h_v = static_cast<HCURSOR (CWnd::*)()>(&ThisClass::OnQueryDragIcon)}},
#define ON_WM_HELPINFO()                   \
    {WM_HELP, 0, 0, 0, AfxSig::b_helpinfo, \
     {.b_helpinfo = static_cast<BOOL (CWnd::*)(HELPINFO*)>(&ThisClass::OnHelpInfo)}},
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig::l_w_l, {.l_w_l = static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)}},

// Handlers of commands (WM_COMMAND): a plain command, or a button's click.
#define ON_COMMAND(id, memberFxn)                                                           \
    {WM_COMMAND, CN_COMMAND, static_cast<WORD>(id), static_cast<WORD>(id), AfxSig::command, \
     {.command = static_cast<AFX_PMSG>(&ThisClass::memberFxn)}},
#define ON_BN_CLICKED(id, memberFxn)                                                        \
    {WM_COMMAND, BN_CLICKED, static_cast<WORD>(id), static_cast<WORD>(id), AfxSig::command, \
     {.command = static_cast<AFX_PMSG>(&ThisClass::memberFxn)}},
