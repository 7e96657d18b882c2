#pragma once

// CVideoDlg: the resizable video window. Its whole client area is a browser
// control navigated to a video's player address. The main window makes it on
// demand; the close box destroys it at once, which stops the video.

#include "framework/Dialog.h"
#include "player/browser/WebBrowser2.h"

class CVideoDlg : public CDialog {
public:
    explicit CVideoDlg(CWnd* pParent = nullptr);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    void ResizeBrowser();
    void PlaceWindow();

    CWebBrowser2 m_browser;
    HICON m_hIcon = nullptr;
    RECT m_rcBrowser = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap* GetMessageMap() const override;
    void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    void OnSize(UINT nType, int cx, int cy);
    void OnSysCommand(UINT nID, LPARAM lParam);
};
