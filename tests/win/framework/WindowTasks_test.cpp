// Work handed to a window's thread: run there, oldest first, and never once
// the window has let go.
#include "framework/WindowTasks.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/win/support/Pump.h"

namespace {

constexpr UINT kRunTasks = WM_APP + 7;
CWindowTasks* g_pTasks = nullptr;

LRESULT CALLBACK TaskWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunTasks && g_pTasks) {
        g_pTasks->RunPending();
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

class WindowTasksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &TaskWindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "stel7TaskWindow";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowA("stel7TaskWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(m_hWnd);
    }
    void TearDown() override
    {
        g_pTasks = nullptr;
        ::DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = nullptr;
};

TEST_F(WindowTasksTest, TasksFromAnotherThreadRunOnTheWindowsThreadOldestFirstAndNeverOnceItHasLetGo)
{
    CWindowTasks tasks(m_hWnd, kRunTasks);
    g_pTasks = &tasks;
    std::vector<int> order;
    std::vector<DWORD> threads;
    std::thread poster([&] {
        for (int i = 0; i < 20; ++i) {
            EXPECT_TRUE(tasks.Post([&, i] {
                order.push_back(i);
                threads.push_back(::GetCurrentThreadId());
            }));
        }
    });
    poster.join();
    ASSERT_TRUE(PumpUntil([&] { return order.size() == 20; }, 10000));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(i, order[i]);
    for (DWORD thread : threads) EXPECT_EQ(::GetCurrentThreadId(), thread);

    ASSERT_TRUE(tasks.Post([&] { order.push_back(-1); }));
    tasks.Detach();
    EXPECT_FALSE(tasks.Post([&] { order.push_back(-1); }));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    EXPECT_EQ(20u, order.size());
}

}  // namespace
