#include "feeds/FeedGate.h"

#include "feeds/Deadline.h"

CFeedGate::CFeedGate()
{
    ::InitializeCriticalSection(&m_lock);
}

CFeedGate::~CFeedGate()
{
    for (auto& waiter : m_waiters) ::CloseHandle(waiter.second);
    ::DeleteCriticalSection(&m_lock);
}

unsigned CFeedGate::Enter(bool bSwitch)
{
    const DWORD self = ::GetCurrentThreadId();
    ::EnterCriticalSection(&m_lock);
    if (m_nDepth > 0 && m_dwOwner == self) {
        ++m_nDepth;
        const unsigned ticket = m_nServing;
        ::LeaveCriticalSection(&m_lock);
        return ticket;
    }
    const unsigned ticket = ++m_nNextTicket;
    if (bSwitch) m_nLatestSwitch = ticket;
    HANDLE turn = nullptr;
    if (ticket != m_nServing + 1 || m_nDepth > 0) {
        turn = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_waiters[ticket] = turn;
    }
    ::LeaveCriticalSection(&m_lock);

    if (turn) {
        // The thread that owns windows keeps answering what workers send them.
        while (!WaitAnsweringSentMessages(turn, INFINITE)) {
        }
        ::EnterCriticalSection(&m_lock);
        m_waiters.erase(ticket);
        ::LeaveCriticalSection(&m_lock);
        ::CloseHandle(turn);
    }
    ::EnterCriticalSection(&m_lock);
    m_nServing = ticket;
    m_dwOwner = self;
    m_nDepth = 1;
    ::LeaveCriticalSection(&m_lock);
    return ticket;
}

void CFeedGate::Leave()
{
    ::EnterCriticalSection(&m_lock);
    if (--m_nDepth == 0) {
        m_dwOwner = 0;
        const auto next = m_waiters.find(m_nServing + 1);
        if (next != m_waiters.end()) ::SetEvent(next->second);
    }
    ::LeaveCriticalSection(&m_lock);
}

bool CFeedGate::IsSuperseded(unsigned nTicket)
{
    ::EnterCriticalSection(&m_lock);
    const bool superseded = m_nLatestSwitch > nTicket;
    ::LeaveCriticalSection(&m_lock);
    return superseded;
}
