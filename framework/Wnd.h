#pragma once

// CWnd: a non-owning wrapper of one window. A window attached with
// SubclassWindow runs its messages through the object's message map first and
// through the window's own procedure for everything the map leaves; the object
// is found again from the window through a window property, which is removed
// before the window is gone, so no message reaches a half-destroyed object.

#include <windows.h>

#include "framework/MessageMap.h"
#include "framework/String.h"

// True for the close command (close box, window menu, Alt+F4). The low four
// bits of a system command are the platform's own: a double click on the
// window icon sends SC_CLOSE | 3.
inline bool IsCloseCommand(UINT nID)
{
    return (nID & 0xFFF0) == SC_CLOSE;
}

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object whose window this is, or null when no object is attached.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Attaches the object to an existing window and routes its messages here.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Filters a message before it is dispatched; TRUE when it was consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    BOOL DestroyWindow();

    // Plain window operations; all are safe on an object without a window.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void SetWindowText(const char* pszText);
    CString GetWindowText() const;
    void GetWindowText(CString& rString) const { rString = GetWindowText(); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(const RECT& rc, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetClientRect(RECT* pRect) const;
    void GetWindowRect(RECT* pRect) const;
    void ScreenToClient(RECT* pRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void Invalidate(BOOL bErase = TRUE);
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw); }
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE);
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND SetFocus();
    BOOL SetForegroundWindow();
    BOOL BringWindowToTop();
    BOOL IsIconic() const;
    CWnd* GetParent() const;
    HWND GetDlgItem(int nID) const;

    // A message box owned by this window, through the replaceable handler.
    int MessageBox(const char* pszText, const char* pszCaption = nullptr, UINT nType = MB_OK);

    // Called by a parent for messages it reflects to the control that sent
    // them (WM_DRAWITEM); TRUE when handled, with the result in *pResult.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    virtual const MessageMap* GetMessageMap() const;
    // Runs the message through the map, else the default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window procedure the window had before it was subclassed.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message now being handled.
    LRESULT Default();
    // WM_PAINT of a window that shows its icon, centred, while it is
    // minimised; otherwise default painting.
    void PaintIconOrDefault(HICON hIcon);
    // A WM_LBUTTONDOWN handler for windows that move when their background is
    // dragged, as if by their caption.
    void OnDragByBackground(UINT nFlags, POINT point);
    // Called after the last message of the window (WM_NCDESTROY).
    virtual void PostNcDestroy() {}
    // Called once SubclassWindow has attached the object to its window.
    virtual void PreSubclassWindow() {}

    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool FindHandler(UINT message, WPARAM wParam, LPARAM lParam, const MessageMapEntry** ppEntry) const;

    WNDPROC m_pfnSuper = nullptr;
};
