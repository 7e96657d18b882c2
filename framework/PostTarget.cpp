#include "framework/PostTarget.h"

bool CPostTarget::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_hWnd && ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CPostTarget::Detach()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_hWnd = nullptr;
}
