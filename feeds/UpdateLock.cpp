#include "feeds/UpdateLock.h"

namespace {

constexpr const char kUpdateLockName[] = "stel7_update";

}  // namespace

CUpdateLock::~CUpdateLock()
{
    Release();
    if (m_hMutex) ::CloseHandle(m_hMutex);
}

void CUpdateLock::Release()
{
    if (m_bHeld) ::ReleaseMutex(m_hMutex);
    m_bHeld = false;
}

bool CUpdateLock::Take()
{
    if (m_bHeld) return true;
    if (!m_hMutex) m_hMutex = ::CreateMutexA(nullptr, FALSE, kUpdateLockName);
    if (!m_hMutex) return false;
    // An abandoned lock (its holder died) is ours all the same.
    const DWORD result = ::WaitForSingleObject(m_hMutex, 0);
    m_bHeld = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return m_bHeld;
}
