#pragma once

// A message map is plain data: a static table of entries per class, each
// naming a message (or a control event) and a thunk that cracks the message's
// parameters for one member handler. The chain to the base class's table is an
// explicit pointer. The thunks are generated from the handler's member pointer,
// so a handler of the wrong signature does not compile.

#include <windows.h>

#include <cstddef>

#include "framework/Dc.h"

class CWnd;

struct MessageMapEntry {
    UINT nMessage;   // WM_COMMAND and WM_NOTIFY entries also match nCode and the id range
    UINT nCode;
    UINT nIdFirst;
    UINT nIdLast;
    LRESULT (*pfnCall)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
    // A message whose number is only known at run time (RegisterWindowMessage);
    // when set, it stands in for nMessage.
    const UINT* pnRegistered = nullptr;
};

struct MessageMap {
    const MessageMap* pBaseMap;
    const MessageMapEntry* pEntries;
    size_t nEntries;
};

namespace msgmap {

template <class> struct MemberOf;
template <class T, class R, class... A> struct MemberOf<R (T::*)(A...)> { using Class = T; };

template <auto Fn> using ClassOf = typename MemberOf<decltype(Fn)>::Class;

template <auto Fn> LRESULT CallVoid(CWnd* w, WPARAM, LPARAM)
{
    (static_cast<ClassOf<Fn>*>(w)->*Fn)();
    return 0;
}

template <auto Fn> LRESULT CallRaw(CWnd* w, WPARAM wp, LPARAM lp)
{
    return (static_cast<ClassOf<Fn>*>(w)->*Fn)(wp, lp);
}

template <auto Fn> LRESULT CallNotify(CWnd* w, WPARAM, LPARAM lp)
{
    LRESULT result = 0;
    (static_cast<ClassOf<Fn>*>(w)->*Fn)(reinterpret_cast<NMHDR*>(lp), &result);
    return result;
}

template <auto Fn> LRESULT CallPoint(CWnd* w, WPARAM wp, LPARAM lp)
{
    const POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    (static_cast<ClassOf<Fn>*>(w)->*Fn)(static_cast<UINT>(wp), pt);
    return 0;
}

template <auto Fn> LRESULT CallSize(CWnd* w, WPARAM wp, LPARAM lp)
{
    (static_cast<ClassOf<Fn>*>(w)->*Fn)(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)),
                                        static_cast<short>(HIWORD(lp)));
    return 0;
}

template <auto Fn> LRESULT CallTimer(CWnd* w, WPARAM wp, LPARAM)
{
    (static_cast<ClassOf<Fn>*>(w)->*Fn)(static_cast<UINT_PTR>(wp));
    return 0;
}

template <auto Fn> LRESULT CallSysCommand(CWnd* w, WPARAM wp, LPARAM lp)
{
    (static_cast<ClassOf<Fn>*>(w)->*Fn)(static_cast<UINT>(wp), lp);
    return 0;
}

template <auto Fn> LRESULT CallMinMax(CWnd* w, WPARAM, LPARAM lp)
{
    (static_cast<ClassOf<Fn>*>(w)->*Fn)(reinterpret_cast<MINMAXINFO*>(lp));
    return 0;
}

template <auto Fn> LRESULT CallErase(CWnd* w, WPARAM wp, LPARAM)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wp));
    const BOOL erased = (static_cast<ClassOf<Fn>*>(w)->*Fn)(&dc);
    dc.Detach();
    return erased;
}

template <auto Fn> LRESULT CallCursor(CWnd* w, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((static_cast<ClassOf<Fn>*>(w)->*Fn)());
}

}  // namespace msgmap

// Entry makers, one per way of cracking a message.

// void Handler(): WM_PAINT, WM_DESTROY and other parameterless messages.
template <auto Fn> constexpr MessageMapEntry MapMessage(UINT nMessage)
{
    return {nMessage, 0, 0, 0, &msgmap::CallVoid<Fn>};
}
// LRESULT Handler(WPARAM, LPARAM): any message, parameters as they come.
template <auto Fn> constexpr MessageMapEntry MapRawMessage(UINT nMessage)
{
    return {nMessage, 0, 0, 0, &msgmap::CallRaw<Fn>};
}
// LRESULT Handler(WPARAM, LPARAM): a registered message, whose number the
// variable holds once it is registered.
template <auto Fn> constexpr MessageMapEntry MapRegisteredMessage(const UINT& nMessage)
{
    return {0, 0, 0, 0, &msgmap::CallRaw<Fn>, &nMessage};
}
// void Handler(): a command or control notification from one id.
template <auto Fn> constexpr MessageMapEntry MapCommand(UINT nId, UINT nCode = 0)
{
    return {WM_COMMAND, nCode, nId, nId, &msgmap::CallVoid<Fn>};
}
// void Handler(NMHDR*, LRESULT*): a WM_NOTIFY code from one control.
template <auto Fn> constexpr MessageMapEntry MapNotify(UINT nId, UINT nCode)
{
    return {WM_NOTIFY, nCode, nId, nId, &msgmap::CallNotify<Fn>};
}
// void Handler(UINT nFlags, POINT pt): mouse messages.
template <auto Fn> constexpr MessageMapEntry MapMouse(UINT nMessage)
{
    return {nMessage, 0, 0, 0, &msgmap::CallPoint<Fn>};
}
// Messages with a cracker of their own, one handler signature each:
//   MapSize          void OnSize(UINT nType, int cx, int cy)
//   MapTimer         void OnTimer(UINT_PTR nIDEvent)
//   MapSysCommand    void OnSysCommand(UINT nID, LPARAM lParam)
//   MapGetMinMaxInfo void OnGetMinMaxInfo(MINMAXINFO*)
//   MapEraseBkgnd    BOOL OnEraseBkgnd(CDC*)
//   MapQueryDragIcon HCURSOR OnQueryDragIcon()
template <auto Fn> constexpr MessageMapEntry MapSize() { return {WM_SIZE, 0, 0, 0, &msgmap::CallSize<Fn>}; }
template <auto Fn> constexpr MessageMapEntry MapTimer() { return {WM_TIMER, 0, 0, 0, &msgmap::CallTimer<Fn>}; }
template <auto Fn> constexpr MessageMapEntry MapSysCommand()
{
    return {WM_SYSCOMMAND, 0, 0, 0, &msgmap::CallSysCommand<Fn>};
}
template <auto Fn> constexpr MessageMapEntry MapGetMinMaxInfo()
{
    return {WM_GETMINMAXINFO, 0, 0, 0, &msgmap::CallMinMax<Fn>};
}
template <auto Fn> constexpr MessageMapEntry MapEraseBkgnd()
{
    return {WM_ERASEBKGND, 0, 0, 0, &msgmap::CallErase<Fn>};
}
template <auto Fn> constexpr MessageMapEntry MapQueryDragIcon()
{
    return {WM_QUERYDRAGICON, 0, 0, 0, &msgmap::CallCursor<Fn>};
}
