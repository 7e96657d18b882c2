#include "framework/WindowTasks.h"

bool CWindowTasks::Post(std::function<void()> task)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_hWnd || !task) return false;
    m_tasks.push_back(std::move(task));
    if (::PostMessageA(m_hWnd, m_nMessage, 0, 0)) return true;
    m_tasks.pop_back();
    return false;
}

void CWindowTasks::RunPending()
{
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (!m_hWnd || m_tasks.empty()) return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}

void CWindowTasks::Detach()
{
    std::deque<std::function<void()>> dropped;
    std::lock_guard<std::mutex> lock(m_lock);
    m_hWnd = nullptr;
    dropped.swap(m_tasks);
}
