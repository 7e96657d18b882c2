#pragma once

// A manual-reset event a test waits on instead of sleeping.

#include <windows.h>

class WinEvent
{
public:
    WinEvent() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~WinEvent()
    {
        if (handle_)
            CloseHandle(handle_);
    }
    WinEvent(const WinEvent&) = delete;
    WinEvent& operator=(const WinEvent&) = delete;

    HANDLE Get() const { return handle_; }
    void Set() const { SetEvent(handle_); }
    bool WaitMs(DWORD milliseconds) const { return WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0; }

private:
    HANDLE handle_;
};
