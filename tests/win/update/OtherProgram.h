#pragma once

// The other program (the boot agent, say) holding the update lock, on a
// thread of its own: a mutex taken by this thread would be taken again by it.

#include <thread>

#include "feeds/UpdateLock.h"
#include "tests/win/support/WinEvent.h"

class OtherProgram {
public:
    OtherProgram()
        : m_thread([this] {
              CUpdateLock lock;
              m_bHeld = lock.Take();
              m_taken.Set();
              ::WaitForSingleObject(m_release.Get(), INFINITE);
          })
    {
        m_taken.WaitMs(INFINITE);
    }
    ~OtherProgram() { Release(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool Holds() const { return m_bHeld; }
    void Release()
    {
        m_release.Set();
        if (m_thread.joinable()) m_thread.join();
    }

private:
    WinEvent m_taken;
    WinEvent m_release;
    bool m_bHeld = false;
    std::thread m_thread;
};
