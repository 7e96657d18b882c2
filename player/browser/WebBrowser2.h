#pragma once

// CWebBrowser2: the platform's WebBrowser ActiveX control hosted inside a
// placeholder window of a dialog, through a minimal OLE container of our own.
// Its one operation is Navigate. When the control cannot be created the window
// still works and Navigate does nothing.

#include <windows.h>

#include "framework/Wnd.h"

class CBrowserSite;

// When the control is made: with its placeholder window, or on the first
// Navigate, for a browser that may never be used (the main window's hidden
// player): the control and the libraries it loads then cost nothing before.
enum class BrowserHosting { WithWindow, OnFirstNavigate };

class CWebBrowser2 : public CWnd {
public:
    explicit CWebBrowser2(BrowserHosting hosting = BrowserHosting::WithWindow) : m_hosting(hosting) {}
    ~CWebBrowser2() override;

    // Creates a placeholder child window and hosts the control in it (see BrowserHosting).
    BOOL Create(const char* pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Invokes the control's Navigate (dispatch member 104) with the URL; the
    // four optional arguments are always passed as null.
    void Navigate(const char* pszURL, VARIANT* pFlags = nullptr, VARIANT* pTargetFrameName = nullptr,
                  VARIANT* pPostData = nullptr, VARIANT* pHeaders = nullptr);

    // The address the control reports (its LocationURL property); empty
    // without a control.
    CString GetLocationURL() const;
    bool HasControl() const { return m_pSite != nullptr; }

protected:
    const MessageMap* GetMessageMap() const override;
    void PreSubclassWindow() override;
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();

private:
    void HostControl();
    void ReleaseControl();

    BrowserHosting m_hosting;
    // Set while a control waits for the first Navigate to be made.
    bool m_bHostPending = false;
    CBrowserSite* m_pSite = nullptr;
};
