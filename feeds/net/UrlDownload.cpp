#include "feeds/net/UrlDownload.h"

#include "core/DownloadCheck.h"
#include "feeds/net/Deadline.h"
#include "framework/Handles.h"
#include "feeds/net/HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>

namespace {

// Shared by the caller and the download thread, which may outlive the call;
// the caller reads the results only once the thread has ended.
struct DownloadState
{
    explicit DownloadState(uint64_t maxBytes) : maxBytes(maxBytes) {}

    const uint64_t maxBytes;
    std::atomic<bool> abandoned{false};
    bool completed = false;  // the body was read to its end and written
    HttpReply reply;
    uint64_t written = 0;
    CActivity activity;
};

// A unique, new, empty file in the folder of `path`; "" when none can be made.
std::string PartFileBeside(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    char szPart[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), kPartFilePrefix, 0, szPart))
        return std::string();
    return szPart;
}

void DownloadOnThisThread(const std::string& url, const std::string& part, const DownloadProgress& onProgress,
                          DownloadState& state)
{
    const CFileHandle file(CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
    if (!file.IsValid())
        return;
    state.completed = HttpGet(url, state.reply, [&](const char* data, DWORD size) {
        // Nobody waits for an abandoned download: it ends here, on its own thread.
        if (state.abandoned.load())
            return false;
        state.activity.Touch();
        const uint64_t announced = state.reply.announcedLength;
        const uint64_t limit = announced ? std::min(announced, state.maxBytes) : state.maxBytes;
        DWORD written = 0;
        if (announced > state.maxBytes || state.written + size > limit ||
            !WriteFile(file.Get(), data, size, &written, nullptr) || written != size)
            return false;
        state.written += size;
        try
        {
            if (onProgress)
                onProgress(static_cast<unsigned long>(std::min<uint64_t>(state.written, ULONG_MAX)),
                           static_cast<unsigned long>(std::min<uint64_t>(announced, ULONG_MAX)));
        }
        catch (...)
        {
            // No exception crosses into the platform; the download goes on.
        }
        return true;
    });
}

}  // namespace

bool DownloadUrlToFile(const std::string& url, const std::string& path, unsigned idleMs,
                       DownloadProgress onProgress, HANDLE cancel, uint64_t maxBytes)
{
    const std::string part = PartFileBeside(path);
    if (part.empty())
        return false;
    const auto state = std::make_shared<DownloadState>(maxBytes);
    const std::shared_ptr<const CActivity> activity(state, &state->activity);
    const bool finished = RunWhileActive(
        [state, url, part, onProgress = std::move(onProgress)] {
            DownloadOnThisThread(url, part, onProgress, *state);
            // Nobody waits for this download any more: what it wrote is nobody's.
            if (state->abandoned.load())
                DeleteFileA(part.c_str());
        },
        activity, idleMs, cancel);
    core::DownloadFacts facts;
    if (finished)
    {
        facts.completed = state->completed;
        facts.httpStatus = state->reply.status;
        facts.size = state->written;
        facts.announcedLength = state->reply.announcedLength;
        facts.largestSize = maxBytes;
    }
    else
    {
        state->abandoned.store(true);
    }
    if (core::CheckDownload(facts) == core::DownloadVerdict::Good &&
        MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    // An abandoned download's thread may still hold its part; it deletes it when it ends.
    DeleteFileA(part.c_str());
    DeleteFileA(path.c_str());
    return false;
}

void DeleteCachedUrl(const std::string& url)
{
    DeleteUrlCacheEntryA(url.c_str());
}
