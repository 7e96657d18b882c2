// The update check: the update document's announced build against the
// installed one, quietly at start-up and with an answer when the user asks.
#include <atomic>
#include <string>
#include <vector>

#include "BuildConfig.h"
#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "app/Registry.h"
#include "core/Version.h"
#include "core/WebLink.h"
#include "feeds/VendorUrls.h"
#include "update/UpdateDlg.h"

namespace {

// Clears the running mark of a check when it ends, however it ends.
class CRunningCheck {
public:
    explicit CRunningCheck(std::atomic<bool>& rbRunning) : m_rbRunning(rbRunning) {}
    ~CRunningCheck() { m_rbRunning = false; }
    CRunningCheck(const CRunningCheck&) = delete;
    CRunningCheck& operator=(const CRunningCheck&) = delete;

private:
    std::atomic<bool>& m_rbRunning;
};

}  // namespace

void CMainDlg::CheckUpdate(int userRequested)
{
    // The tray menu still works while the update window is open; a second
    // check then has nothing to add.
    if (m_bCheckingUpdate.exchange(true)) return;
    const CRunningCheck running(m_bCheckingUpdate);

    XmlRequest request;
    request.url = kUpdateDocumentUrl;
    request.deleteCacheEntry = true;
    request.readings = {{"update_ver", -1}, {"update_url", -1}, {"update_sig", -1}};
    const XmlResult result = FetchFeed(request);
    if (result.requestFailed || !result.parsed || result.readings.size() != request.readings.size()) return;

    const std::string strAnnounced = result.Last(0);
    const std::string strUrl = result.Last(1);
    if (!result.readings[1].empty()) m_strUpdateUrl = strUrl.c_str();

    char szInstalled[260] = {};
    ReadRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7", "0", szInstalled, sizeof(szInstalled));
    if (core::IsNewerBuild(szInstalled, strAnnounced)) {
        // Only an address this document gave, and only a web address: an
        // earlier check's address may name another file, and a file: or UNC
        // address would be fetched from anywhere.
        if (!core::IsWebAddress(strUrl)) return;
        const std::string strSignature = result.Last(2);
        RunOnWindowThread([&] {
            CUpdateDlg dlg(strAnnounced.c_str(), strUrl.c_str(), strSignature.c_str(), m_strTempDir);
            dlg.DoModal();
        });
        return;
    }
    if (userRequested == 1) MessageBox(kTextUpToDate, kTextProductName, MB_OK | MB_ICONINFORMATION);
}
