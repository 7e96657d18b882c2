#include "update/engine/UpdateAnnouncement.h"

#include "app/shared/Registry.h"
#include "core/UpdateStatement.h"
#include "core/Version.h"
#include "core/WebLink.h"
#include "feeds/net/VendorUrls.h"

namespace {

std::string ElementPrefix(const std::string& role)
{
    return role == core::kAgentRole ? "agent_" : "update_";
}

}  // namespace

XmlRequest AnnouncementRequest(const std::string& role)
{
    const std::string prefix = ElementPrefix(role);
    XmlRequest request;
    request.url = kUpdateDocumentUrl;
    request.deleteCacheEntry = true;
    request.readings = {{prefix + "ver", -1}, {prefix + "url", -1}, {prefix + "sig", -1}};
    return request;
}

UpdateAnnouncement ReadAnnouncement(const std::string& role, const XmlResult& result)
{
    UpdateAnnouncement announcement;
    announcement.updater.role = role;
    announcement.bRead = !result.requestFailed && result.parsed && result.readings.size() == 3;
    if (announcement.bRead) {
        announcement.bHasUrl = !result.readings[1].empty();
        announcement.updater.build = result.Last(0);
        announcement.updater.url = result.Last(1);
        announcement.updater.signature = result.Last(2);
    }
    return announcement;
}

std::string InstalledBuild(const std::string& role)
{
    char szInstalled[260] = {};
    ReadRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, role.c_str(), "0", szInstalled, sizeof(szInstalled));
    return szInstalled;
}

UpdateDecision DecideUpdate(const UpdateAnnouncement& announcement, const std::string& installedBuild)
{
    if (!announcement.bRead || !core::IsNewerBuild(installedBuild, announcement.updater.build))
        return UpdateDecision::UpToDate;
    return core::IsWebAddress(announcement.updater.url) ? UpdateDecision::Install : UpdateDecision::NotInstallable;
}
