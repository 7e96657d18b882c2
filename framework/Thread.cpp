#include "framework/Thread.h"

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread) ::CloseHandle(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return m_hThread ? ::ResumeThread(m_hThread) : static_cast<DWORD>(-1);
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID pThis)
{
    CWinThread* pThread = static_cast<CWinThread*>(pThis);
    DWORD exitCode = 0;
    // No exception may leave a thread's entry function.
    try {
        exitCode = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    } catch (...) {
        exitCode = static_cast<DWORD>(-1);
    }
    if (pThread->m_bAutoDelete) delete pThread;
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc) return nullptr;
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    pThread->m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, pThread,
                                        CREATE_SUSPENDED, &pThread->m_nThreadID);
    if (!pThread->m_hThread) {
        delete pThread;
        return nullptr;
    }
    ::SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}
