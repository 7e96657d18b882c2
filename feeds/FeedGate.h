#pragma once

// The feeds of the main window run on its own thread (start-up, search, tab
// changes) and on section workers, and several of them fill the same lists and
// column arrays. The gate lets one load at a time in, in the order the loads
// asked, so a list is only ever written by one complete load. A thread that
// already holds the gate may enter again (a message box inside a load runs a
// message loop that can start another load on the same thread).
//
// Waiting never deadlocks with the main window: the main window's thread waits
// answering messages sent to its windows (the lists that a worker is filling),
// and a worker holding the gate never waits for the main window's thread to
// enter it.

#include <windows.h>

#include <map>

class CFeedGate {
public:
    CFeedGate();
    ~CFeedGate();
    CFeedGate(const CFeedGate&) = delete;
    CFeedGate& operator=(const CFeedGate&) = delete;

    // Waits for this thread's turn; returns its ticket. bSwitch marks a
    // section switch: the newest switch supersedes any that still wait, since
    // each switch shows the section the window holds when it runs.
    unsigned Enter(bool bSwitch = false);
    // Enter in two steps, for a turn taken on one thread and waited for on
    // another: the ticket fixes the order, and the thread that waits with it
    // holds the gate. Every reserved ticket must be waited for, or every
    // later turn waits for ever.
    unsigned Reserve(bool bSwitch = false);
    void Wait(unsigned nTicket);
    void Leave();
    bool IsSuperseded(unsigned nTicket);

private:
    CRITICAL_SECTION m_lock;
    unsigned m_nNextTicket = 0;
    unsigned m_nServing = 0;
    unsigned m_nLatestSwitch = 0;
    DWORD m_dwOwner = 0;
    int m_nDepth = 0;
    std::map<unsigned, HANDLE> m_waiters;
};

// Holds the gate for one scope.
class CFeedTurn {
public:
    explicit CFeedTurn(CFeedGate& gate, bool bSwitch = false) : m_gate(gate), m_nTicket(gate.Enter(bSwitch)) {}
    // The turn of a ticket reserved earlier.
    CFeedTurn(CFeedGate& gate, unsigned nReserved) : m_gate(gate), m_nTicket(nReserved) { gate.Wait(nReserved); }
    ~CFeedTurn() { m_gate.Leave(); }
    CFeedTurn(const CFeedTurn&) = delete;
    CFeedTurn& operator=(const CFeedTurn&) = delete;
    unsigned Ticket() const { return m_nTicket; }

private:
    CFeedGate& m_gate;
    unsigned m_nTicket;
};
