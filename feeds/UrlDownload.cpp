#include "feeds/UrlDownload.h"

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
    DWORD httpStatus = 0;  // 0: no HTTP answer (another scheme, or none came)
};

constexpr DWORD kFirstErrorStatus = 400;

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

// A file with at least one byte. A server that closes the connection without
// answering leaves an empty file behind a reported success (measured under Wine).
bool IsFileWithContent(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return data.nFileSizeLow != 0 || data.nFileSizeHigh != 0;
}

}  // namespace

bool DownloadUrlToFile(const std::string& url, const std::string& path, unsigned deadlineMs,
                       DownloadProgress onProgress, HANDLE cancel)
{
    const auto state = std::make_shared<DownloadState>();
    const bool finished = RunWithDeadline(
        [state, url, path, onProgress = std::move(onProgress)] {
            // Passed even without onProgress: it is how an abandoned download ends.
            DownloadSink sink(onProgress, *state);
            state->result = URLDownloadToFileA(nullptr, url.c_str(), path.c_str(), 0, &sink);
        },
        deadlineMs, cancel);
    if (!finished)
    {
        state->abandoned.store(true);
        return false;
    }
    if (state->result != S_OK)
        return false;
    if (state->httpStatus >= kFirstErrorStatus)
    {
        // The error page it stored must not pass for the file.
        DeleteFileA(path.c_str());
        return false;
    }
    if (!IsFileWithContent(path))
    {
        DeleteFileA(path.c_str());
        return false;
    }
    return true;
}

void DeleteCachedUrl(const std::string& url)
{
    DeleteUrlCacheEntryA(url.c_str());
}
