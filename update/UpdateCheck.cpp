// The update check: the update document's announced build against the
// installed one, quietly at start-up and with an answer when the user asks.
#include <string>

#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "app/Registry.h"
#include "core/Version.h"
#include "core/WebLink.h"
#include "feeds/VendorUrls.h"
#include "update/UpdateAnnouncement.h"
#include "update/UpdateDlg.h"

void CMainDlg::CheckUpdate(int userRequested)
{
    if (userRequested == 1) m_bUpdateAnswerWanted = true;
    // A check still running (or its update window) answers this one too.
    if (m_bCheckingUpdate) return;
    m_bCheckingUpdate = true;
    const bool bQueued = m_feeds.Queue(FeedTarget::Update, [](const CFeedJob& job) -> CFeedWork::Apply {
        XmlRequest request;
        request.url = kUpdateDocumentUrl;
        request.deleteCacheEntry = true;
        request.readings = {{"update_ver", -1}, {"update_url", -1}, {"update_sig", -1}};
        const XmlResult result = job.Fetch(request);
        UpdateAnnouncement announcement;
        announcement.bRead = !result.requestFailed && result.parsed && result.readings.size() == request.readings.size();
        if (announcement.bRead) {
            announcement.bHasUrl = !result.readings[1].empty();
            announcement.strBuild = result.Last(0);
            announcement.strUrl = result.Last(1);
            announcement.strSignature = result.Last(2);
        }
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
    if (announcement.bHasUrl) m_strUpdateUrl = announcement.strUrl.c_str();

    char szInstalled[260] = {};
    ReadRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7", "0", szInstalled, sizeof(szInstalled));
    if (core::IsNewerBuild(szInstalled, announcement.strBuild)) {
        // Only an address this document gave, and only a web address: an
        // earlier check's address may name another file, and a file: or UNC
        // address would be fetched from anywhere.
        if (core::IsWebAddress(announcement.strUrl)) {
            CUpdateDlg dlg(announcement.strBuild.c_str(), announcement.strUrl.c_str(),
                           announcement.strSignature.c_str(), m_strTempDir);
            m_pUpdateDlg = &dlg;
            dlg.DoModal();
            m_pUpdateDlg = nullptr;
        }
        // A check asked for while the window was open had nothing to add.
        m_bUpdateAnswerWanted = false;
        m_bCheckingUpdate = false;
        return;
    }
    m_bCheckingUpdate = false;
    if (bAnswer) MessageBox(kTextUpToDate, kTextProductName, MB_OK | MB_ICONINFORMATION);
}
