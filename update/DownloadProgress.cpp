#include "update/DownloadProgress.h"

#include "core/Progress.h"

void CDownloadProgress::operator()(unsigned long nProgress, unsigned long nProgressMax)
{
    const int nPosition = core::ProgressPosition(nProgress, nProgressMax);
    if (nPosition == m_nPosition || !m_pWindow) return;
    m_nPosition = nPosition;
    m_pWindow->Post(WM_DOWNLOAD_PROGRESS, static_cast<WPARAM>(nPosition));
}
