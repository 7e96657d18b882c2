// Child process of the process-exit tests: one network call against a server
// that never answers, given up at a short deadline; then main returns with the
// call's thread still blocked. Exit code 0: the call came back as a failure.
//   feeds_exit_helper fetch|ping|download URL

#include "feeds/net/AnalyticsPing.h"
#include "feeds/net/UrlDownload.h"
#include "feeds/net/XmlFetch.h"

#include <string>

int main(int argc, char** argv)
{
    constexpr unsigned kDeadlineMs = 1000;
    const std::string mode = argc == 3 ? argv[1] : "";
    const std::string url = argc == 3 ? argv[2] : "";
    if (mode == "fetch")
    {
        XmlRequest request;
        request.url = url;
        return FetchXml(request, kDeadlineMs).requestFailed ? 0 : 1;
    }
    if (mode == "ping")
    {
        SendAnalyticsPing(url, kDeadlineMs);
        return 0;
    }
    return mode == "download" && !DownloadUrlToFile(url, "stel7_exit_helper.bin", kDeadlineMs) ? 0 : 1;
}
