#pragma once

// CUpdateDlg: the small modal window that downloads the announced updater
// with a progress bar, starts it once it is verified, and closes. The download
// runs on a worker, which shares with the window only a CUpdateDownload made
// from copies before it starts: the worker posts its progress and its end to
// the window and never calls into it, so the user may close the window at any
// time; closing cancels the download, and a cancelled download starts nothing.

#include <memory>

#include "update/engine/UpdateLock.h"
#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/Thread.h"

class CUpdateDownload;

class CUpdateDlg : public CDialog {
public:
    // The announced build, the updater's address and signature from the
    // update document, and the user's temporary folder, ending in a backslash.
    CUpdateDlg(const CString& strBuild, const CString& strUrl, const CString& strSignature, const CString& strTempDir,
               CWnd* pParent = nullptr);
    ~CUpdateDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    // The close box ends the window and cancels the download.
    void OnCancel() override;

    static UINT DownloadThreadProc(LPVOID pParam);

    CProgressCtrl m_progress;
    HICON m_hIcon = nullptr;
    // Deletes itself when the worker ends: only read while it is started.
    CWinThread* m_pDownloadThread = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap* GetMessageMap() const override;

    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    LRESULT OnDownloadProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnDownloadDone(WPARAM wParam, LPARAM lParam);

private:
    void StartDownload();
    // Cancels the download and stops its posts; it starts nothing after this.
    void StopDownload();

    CString m_strBuild;
    CString m_strUrl;
    CString m_strSignature;
    CString m_strTempDir;
    // Taken and released on the window's thread, held from the download's
    // start until the window is destroyed.
    CUpdateLock m_lock;
    std::shared_ptr<CUpdateDownload> m_pDownload;
};
