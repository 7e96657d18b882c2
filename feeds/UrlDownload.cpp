#include "feeds/UrlDownload.h"

#include "core/DownloadCheck.h"
#include "feeds/Deadline.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

#include <atomic>
#include <memory>

namespace {

// Shared by the caller and the download thread, which may outlive the call.
struct DownloadState
{
    std::atomic<bool> abandoned{false};
    HRESULT result = E_FAIL;
    DWORD httpStatus = 0;              // 0: no HTTP answer (another scheme, or none came)
    unsigned long announcedLength = 0; // the largest total a report gave; 0: none
    CActivity activity;
};

// What the download hears of its own progress. It lives on the download
// thread's stack for the length of the download, so it counts no references.
// Besides the progress it notes the HTTP status: the platform stores an error
// page as if it were the file and reports success (Wine also ignores an abort
// asked for at the response).
class DownloadSink : public IBindStatusCallback, public IHttpNegotiate
{
public:
    DownloadSink(const DownloadProgress& onProgress, DownloadState& state) : onProgress_(onProgress), state_(state)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback))
        {
            *object = static_cast<IBindStatusCallback*>(this);
            return S_OK;
        }
        if (IsEqualIID(iid, IID_IHttpNegotiate))
        {
            *object = static_cast<IHttpNegotiate*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) override
    {
        // Nobody waits for an abandoned download: end it here, on its own thread.
        if (state_.abandoned.load())
            return E_ABORT;
        state_.activity.Touch();
        if (progressMax > state_.announcedLength)
            state_.announcedLength = progressMax;
        try
        {
            if (onProgress_)
                onProgress_(progress, progressMax);
        }
        catch (...)
        {
            // No exception crosses into the platform; the download goes on.
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override
    {
        if (additionalHeaders)
            *additionalHeaders = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) override
    {
        if (additionalHeaders)
            *additionalHeaders = nullptr;
        state_.httpStatus = status;
        return S_OK;
    }

private:
    const DownloadProgress& onProgress_;
    DownloadState& state_;
};

// The file's size; 0 when it cannot be read.
uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

bool DownloadUrlToFile(const std::string& url, const std::string& path, unsigned idleMs,
                       DownloadProgress onProgress, HANDLE cancel)
{
    const auto state = std::make_shared<DownloadState>();
    const std::shared_ptr<const CActivity> activity(state, &state->activity);
    const bool finished = RunWhileActive(
        [state, url, path, onProgress = std::move(onProgress)] {
            // Passed even without onProgress: it is how an abandoned download ends.
            DownloadSink sink(onProgress, *state);
            state->result = URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, &sink);
            // Nobody waits for this download any more: what it stored is nobody's.
            if (state->abandoned.load())
                DeleteFileA(path.c_str());
        },
        activity, idleMs, cancel);
    if (!finished)
        state->abandoned.store(true);
    core::DownloadFacts facts;
    facts.completed = finished && state->result == S_OK;
    if (facts.completed)
    {
        facts.httpStatus = state->httpStatus;
        facts.size = FileSize(path);
        facts.announcedLength = state->announcedLength;
    }
    if (core::CheckDownload(facts) == core::DownloadVerdict::Good)
        return true;
    DeleteFileA(path.c_str());
    return false;
}

void DeleteCachedUrl(const std::string& url)
{
    DeleteUrlCacheEntryA(url.c_str());
}
