// Child process of the process-exit tests: starts one network call against a
// server that never answers, gives up at a short deadline and returns from
// main with the call's thread still blocked. The test checks that the process
// then ends, with this exit code.
//   feeds_exit_helper fetch|ping|download URL
// Exit code 0: the call came back as a failure at its deadline; 1: it did not;
// 2: bad arguments.

#include "feeds/AnalyticsPing.h"
#include "feeds/UrlDownload.h"
#include "feeds/XmlFetch.h"

#include <windows.h>

#include <string>

namespace {

constexpr unsigned kDeadlineMs = 1000;

std::string TargetPath()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    return std::string(folder, length) + "stel7_exit_helper.bin";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string mode = argv[1];
    const std::string url = argv[2];
    if (mode == "fetch")
    {
        XmlRequest request;
        request.url = url;
        request.readings = {{"title"}};
        return FetchXml(request, kDeadlineMs).requestFailed ? 0 : 1;
    }
    if (mode == "ping")
    {
        SendAnalyticsPing(url, kDeadlineMs);
        return 0;
    }
    if (mode == "download")
        return DownloadUrlToFile(url, TargetPath(), kDeadlineMs) ? 1 : 0;
    return 2;
}
