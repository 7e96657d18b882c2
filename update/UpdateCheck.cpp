// The update check: the update document's announced build against the
// installed one, quietly at start-up and with an answer when the user asks.
#include <string>

#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/UpdateStatement.h"
#include "update/engine/UpdateAnnouncement.h"
#include "update/UpdateDlg.h"

void CMainDlg::CheckUpdate(int userRequested)
{
    if (userRequested == 1) m_bUpdateAnswerWanted = true;
    // A check still running (or its update window) answers this one too.
    if (m_bCheckingUpdate) return;
    m_bCheckingUpdate = true;
    const bool bQueued = m_feeds.Queue(FeedTarget::Update, [](const CFeedJob& job) -> CFeedWork::Apply {
        const UpdateAnnouncement announcement =
            ReadAnnouncement(core::kProgramRole, job.Fetch(AnnouncementRequest(core::kProgramRole)));
        // Every outcome comes back: it ends the check.
        return [announcement](CMainDlg& dlg) { dlg.OnUpdateChecked(announcement); };
    });
    if (!bQueued) m_bCheckingUpdate = false;
}

void CMainDlg::OnUpdateChecked(const UpdateAnnouncement& announcement)
{
    const bool bAnswer = m_bUpdateAnswerWanted;
    m_bUpdateAnswerWanted = false;
    if (!announcement.bRead) {
        m_bCheckingUpdate = false;
        return;
    }
    if (announcement.bHasUrl) m_strUpdateUrl = announcement.updater.url.c_str();

    const UpdateDecision decision = DecideUpdate(announcement, InstalledBuild(core::kProgramRole));
    if (decision == UpdateDecision::Install) {
        const UpdaterSource& updater = announcement.updater;
        CUpdateDlg dlg(updater.build.c_str(), updater.url.c_str(), updater.signature.c_str(), m_strTempDir);
        m_pUpdateDlg = &dlg;
        dlg.DoModal();
        m_pUpdateDlg = nullptr;
    }
    m_bCheckingUpdate = false;
    if (decision != UpdateDecision::UpToDate) {
        // A check asked for while the window was open had nothing to add.
        m_bUpdateAnswerWanted = false;
        return;
    }
    if (bAnswer) MessageBox(kTextUpToDate, kTextProductName, MB_OK | MB_ICONINFORMATION);
}
