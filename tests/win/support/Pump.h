#pragma once

// Runs this thread's messages: windows, timers and the browser work through
// posted messages, so nothing they start finishes without a message loop.

#include <windows.h>

#include <functional>

// Handles messages until `done` holds or `timeoutMs` passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Handles every message posted to this thread before the call: what they do
// has been done once it returns. False when that took over 10 s.
bool PumpPosted();
