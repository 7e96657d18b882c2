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
    ::EnterCriticalSection(&m_lock);
    if (m_nDepth > 0 && m_dwOwner == ::GetCurrentThreadId()) {
        ++m_nDepth;
        const unsigned ticket = m_nServing;
        ::LeaveCriticalSection(&m_lock);
        return ticket;
    }
    ::LeaveCriticalSection(&m_lock);
    const unsigned ticket = Reserve(bSwitch);
    Wait(ticket);
    return ticket;
}

unsigned CFeedGate::Reserve(bool bSwitch)
{
    ::EnterCriticalSection(&m_lock);
    const unsigned ticket = ++m_nNextTicket;
    if (bSwitch) m_nLatestSwitch = ticket;
    ::LeaveCriticalSection(&m_lock);
    return ticket;
}

void CFeedGate::Wait(unsigned nTicket)
{
    ::EnterCriticalSection(&m_lock);
    HANDLE turn = nullptr;
    if (nTicket != m_nServing + 1 || m_nDepth > 0) {
        turn = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        m_waiters[nTicket] = turn;
    }
    ::LeaveCriticalSection(&m_lock);

    if (turn) {
        // The thread that owns windows keeps answering what workers send them.
        while (!WaitAnsweringSentMessages(turn, INFINITE)) {
        }
        ::EnterCriticalSection(&m_lock);
        m_waiters.erase(nTicket);
        ::LeaveCriticalSection(&m_lock);
        ::CloseHandle(turn);
    }
    ::EnterCriticalSection(&m_lock);
    m_nServing = nTicket;
    m_dwOwner = ::GetCurrentThreadId();
    m_nDepth = 1;
    ::LeaveCriticalSection(&m_lock);
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
