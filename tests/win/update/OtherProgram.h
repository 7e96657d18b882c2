#pragma once

// The other program (the boot agent, say) holding the update lock, on a
// thread of its own: a mutex taken by this thread would be taken again by it.

#include <future>
#include <thread>

#include "feeds/UpdateLock.h"

class OtherProgram {
public:
    OtherProgram()
        : m_thread([this] {
              CUpdateLock lock;
              m_taken.set_value(lock.Take());
              m_release.get_future().wait();
          })
    {
        m_bHeld = m_taken.get_future().get();
    }
    ~OtherProgram() { Release(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool Holds() const { return m_bHeld; }
    void Release()
    {
        if (!m_thread.joinable()) return;
        m_release.set_value();
        m_thread.join();
    }

private:
    std::promise<bool> m_taken;
    std::promise<void> m_release;
    bool m_bHeld = false;
    std::thread m_thread;
};
