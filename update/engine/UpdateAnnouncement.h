#pragma once

// The update document as both programs read it: the announcement for one
// program (its build, the updater's address and the vendor's signature) and
// the one decision taken on it. The main program reads the "update_"
// elements, the boot agent the "agent_" ones.

#include <string>

#include "feeds/net/XmlFetch.h"
#include "update/engine/VerifiedDownload.h"

struct UpdateAnnouncement {
    bool bRead = false;     // the document came and parsed
    bool bHasUrl = false;   // it has an address element
    UpdaterSource updater;  // the last of each element wins
};

enum class UpdateDecision {
    UpToDate,        // no strictly newer build announced (see core::IsNewerBuild)
    Install,         // a newer build at a web address: download, verify, start
    NotInstallable,  // a newer build at an address that is no web address
};

// The fetch of `role`'s (core::kProgramRole or core::kAgentRole) elements.
XmlRequest AnnouncementRequest(const std::string& role);
UpdateAnnouncement ReadAnnouncement(const std::string& role, const XmlResult& result);

// The build of `role` the installer recorded; "0" when none.
std::string InstalledBuild(const std::string& role);

// What a read announcement means against the installed build. Only an address
// this document gave, and only a web address: a file: or UNC address would be
// fetched from anywhere.
UpdateDecision DecideUpdate(const UpdateAnnouncement& announcement, const std::string& installedBuild);
