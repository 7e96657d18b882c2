#include "update/engine/UpdateLock.h"

namespace {

constexpr const char kUpdateLockName[] = "stel7_update";

}  // namespace

CUpdateLock::~CUpdateLock()
{
    Release();
}

void CUpdateLock::Release()
{
    if (m_bHeld) ::ReleaseMutex(m_mutex.Get());
    m_bHeld = false;
}

bool CUpdateLock::Take()
{
    if (m_bHeld) return true;
    if (!m_mutex) m_mutex.Reset(::CreateMutexA(nullptr, FALSE, kUpdateLockName));
    if (!m_mutex) return false;
    // An abandoned lock (its holder died) is ours all the same.
    const DWORD result = ::WaitForSingleObject(m_mutex.Get(), 0);
    m_bHeld = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return m_bHeld;
}
