#include "update/UpdateDlg.h"

#include "BuildConfig.h"
#include "core/UpdateStatement.h"
#include "feeds/net/CancelEvent.h"
#include "update/engine/VerifiedDownload.h"
#include "framework/PostTarget.h"
#include "framework/WinApp.h"
#include "framework/KeyFilter.h"
#include "res/resource.h"
#include "update/DownloadProgress.h"

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelayMs = 1000;
// Posted by the worker when the download has ended; wParam 1: the file is verified.
const UINT WM_DOWNLOAD_DONE = WM_APP + 2;

}  // namespace

// What the window and its worker share; whichever lets go last frees it.
class CUpdateDownload {
public:
    CUpdateDownload(UpdaterSource source, std::string strTempDir, HWND hWnd)
        : m_download(std::move(source), std::move(strTempDir)), m_pWindow(std::make_shared<CPostTarget>(hWnd))
    {
    }

    CVerifiedDownload m_download;
    CCancelEvent m_cancel;
    std::shared_ptr<CPostTarget> m_pWindow;
};

CUpdateDlg::CUpdateDlg(const CString& strBuild, const CString& strUrl, const CString& strSignature,
                       const CString& strTempDir, CWnd* pParent)
    : CDialog(IDD_UPDATE, pParent),
      m_strBuild(strBuild),
      m_strUrl(strUrl),
      m_strSignature(strSignature),
      m_strTempDir(strTempDir)
{
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

CUpdateDlg::~CUpdateDlg() = default;

void CUpdateDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_UPDATE, m_progress);
}

const MessageMap* CUpdateDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapMouse<&CUpdateDlg::OnDragByBackground>(WM_LBUTTONDOWN),
        MapTimer<&CUpdateDlg::OnTimer>(),
        MapMessage<&CUpdateDlg::OnDestroy>(WM_DESTROY),
        MapRawMessage<&CUpdateDlg::OnDownloadProgress>(WM_DOWNLOAD_PROGRESS),
        MapRawMessage<&CUpdateDlg::OnDownloadDone>(WM_DOWNLOAD_DONE),
    };
    static const MessageMap map = {CDialog::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

BOOL CUpdateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CenterWindow();
    SetTimer(kStartTimer, kStartDelayMs);
    return TRUE;
}

BOOL CUpdateDlg::PreTranslateMessage(MSG* pMsg)
{
    if (IsDialogCloseKey(pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}


void CUpdateDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kStartTimer) {
        KillTimer(kStartTimer);
        StartDownload();
    }
    Default();
}

void CUpdateDlg::StartDownload()
{
    if (m_pDownload) return;
    // The other program is placing its own updater: leave it be.
    if (!m_lock.Take()) {
        OnCancel();
        return;
    }
    m_pDownload = std::make_shared<CUpdateDownload>(
        UpdaterSource{core::kProgramRole, m_strBuild.Str(), m_strUrl.Str(), m_strSignature.Str()}, m_strTempDir.Str(),
        m_hWnd);
    auto* pShared = new std::shared_ptr<CUpdateDownload>(m_pDownload);
    m_pDownloadThread =
        AfxBeginThread(&CUpdateDlg::DownloadThreadProc, pShared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pDownloadThread) {
        delete pShared;
        SendMessage(WM_COMMAND, IDCANCEL);
        return;
    }
    m_pDownloadThread->ResumeThread();
}

UINT CUpdateDlg::DownloadThreadProc(LPVOID pParam)
{
    const std::unique_ptr<std::shared_ptr<CUpdateDownload>> pShared(
        static_cast<std::shared_ptr<CUpdateDownload>*>(pParam));
    CUpdateDownload& download = **pShared;
    const bool bVerified = download.m_download.Download(
        STEL7_NET_DEADLINE_MS, CDownloadProgress(download.m_pWindow), download.m_cancel.Handle());
    download.m_pWindow->Post(WM_DOWNLOAD_DONE, bVerified ? 1 : 0);
    return 0;
}

LRESULT CUpdateDlg::OnDownloadProgress(WPARAM wParam, LPARAM)
{
    m_progress.SetPos(static_cast<int>(wParam));
    return 0;
}

LRESULT CUpdateDlg::OnDownloadDone(WPARAM wParam, LPARAM)
{
    // Here, not on the worker: this thread holds the update lock, and only it
    // may end its modal loop.
    if (wParam && m_pDownload && !m_pDownload->m_cancel.IsSet()) m_pDownload->m_download.Start(m_lock);
    OnCancel();
    return 0;
}

void CUpdateDlg::OnCancel()
{
    StopDownload();
    CDialog::OnCancel();
}

void CUpdateDlg::OnDestroy()
{
    StopDownload();
    m_lock.Release();
    Default();
}

void CUpdateDlg::StopDownload()
{
    if (!m_pDownload) return;
    m_pDownload->m_cancel.Set();
    m_pDownload->m_pWindow->Detach();
}
