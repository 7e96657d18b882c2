#pragma once

// The lock both programs take before they download, place and start the
// updater: the named mutex "stel7_update". Whoever holds it may write
// "stel7_update.exe"; the other program leaves the file alone meanwhile.
// A mutex belongs to the thread that took it: take and release it on one
// thread (a window's), even when a worker does the download in between.

#include <windows.h>

#include "framework/Handles.h"

class CUpdateLock {
public:
    CUpdateLock() = default;
    ~CUpdateLock();
    CUpdateLock(const CUpdateLock&) = delete;
    CUpdateLock& operator=(const CUpdateLock&) = delete;

    // Takes the lock without waiting; false when the other program holds it
    // (or it cannot be made). True again when this object already holds it.
    bool Take();
    void Release();
    bool IsHeld() const { return m_bHeld; }

private:
    CKernelHandle m_mutex;
    bool m_bHeld = false;
};
