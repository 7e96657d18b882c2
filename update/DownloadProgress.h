#pragma once

// CDownloadProgress: the progress sink of the updater's download. It runs on
// the download's thread and moves the update window's bar by posting the new
// position (only when it changes), never by calling into the window, which
// the user may have closed by then.

#include <windows.h>

#include <memory>

#include "framework/PostTarget.h"

// Posted to the update window; wParam is the bar's new position (0 to 100).
const UINT WM_DOWNLOAD_PROGRESS = WM_APP + 1;

class CDownloadProgress {
public:
    explicit CDownloadProgress(std::shared_ptr<CPostTarget> pWindow) : m_pWindow(std::move(pWindow)) {}

    // Bytes so far and the total (0 when the server sent no length).
    void operator()(unsigned long nProgress, unsigned long nProgressMax);

private:
    std::shared_ptr<CPostTarget> m_pWindow;
    int m_nPosition = -1;
};
