#include "tests/win/support/Pump.h"

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= timeoutMs) return done();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool PumpPosted()
{
    // A thread message queued behind them: posted messages come out in order.
    const UINT kMarker = WM_APP + 0x3FF0;
    if (!::PostThreadMessageA(::GetCurrentThreadId(), kMarker, 0, 0)) return false;
    bool bMarkerSeen = false;
    return PumpUntil(
        [&] {
            MSG msg;
            while (!bMarkerSeen && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                bMarkerSeen = msg.hwnd == nullptr && msg.message == kMarker;
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            return bMarkerSeen;
        },
        10000);
}
