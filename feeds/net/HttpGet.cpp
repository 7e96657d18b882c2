#include "feeds/net/HttpGet.h"

#include "framework/Handles.h"
#include "framework/TextConvert.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kPiece = 64 * 1024;

// Owns one WinHTTP handle (session, connection or request) and closes it.
struct WinHttpHandleTraits {
    using Type = HINTERNET;
    static Type Invalid() { return nullptr; }
    static void Close(Type handle) { ::WinHttpCloseHandle(handle); }
};
using CHttpHandle = CUniqueHandle<WinHttpHandleTraits>;

// A session through the proxy the user set in the Internet settings, as
// WinInet's requests take it; automatic proxy scripts are not followed.
HINTERNET OpenSession()
{
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG settings = {};
    HINTERNET hSession = nullptr;
    if (::WinHttpGetIEProxyConfigForCurrentUser(&settings) && settings.lpszProxy)
        hSession = ::WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_NAMED_PROXY, settings.lpszProxy,
                                 settings.lpszProxyBypass ? settings.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    else
        hSession = ::WinHttpOpen(nullptr, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, 0);
    for (LPWSTR text : {settings.lpszAutoConfigUrl, settings.lpszProxy, settings.lpszProxyBypass}) {
        if (text) ::GlobalFree(text);
    }
    return hSession;
}

DWORD StatusOf(HINTERNET hRequest)
{
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::WinHttpQueryHeaders(hRequest, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return 0;
    return status;
}

// The Content-Length as the server wrote it, which may pass 4 GiB; 0 when none.
uint64_t AnnouncedLength(HINTERNET hRequest)
{
    wchar_t text[32] = {};
    DWORD size = sizeof(text);
    if (!::WinHttpQueryHeaders(hRequest, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                               WINHTTP_NO_HEADER_INDEX))
        return 0;
    uint64_t length = 0;
    for (const wchar_t* p = text; *p >= L'0' && *p <= L'9'; ++p) {
        if (length > (UINT64_MAX - 9) / 10) return UINT64_MAX;
        length = length * 10 + static_cast<uint64_t>(*p - L'0');
    }
    return length;
}

}  // namespace

bool HttpGet(const std::string& url, HttpReply& reply, const std::function<bool(const char*, DWORD)>& onPiece)
{
    reply = HttpReply();
    std::wstring wideUrl = CodePageToWide(url);
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (wideUrl.empty() || !::WinHttpCrackUrl(wideUrl.c_str(), static_cast<DWORD>(wideUrl.size()), 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return false;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    const CHttpHandle session(OpenSession());
    const CHttpHandle connection(session ? ::WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0) : nullptr);
    const CHttpHandle request(connection ? ::WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(), nullptr,
                                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                                parts.nScheme == INTERNET_SCHEME_HTTPS
                                                                    ? WINHTTP_FLAG_SECURE | WINHTTP_FLAG_REFRESH
                                                                    : WINHTTP_FLAG_REFRESH)
                                         : nullptr);
    if (!request ||
        !::WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !::WinHttpReceiveResponse(request.Get(), nullptr))
        return false;
    reply.status = StatusOf(request.Get());
    reply.announcedLength = AnnouncedLength(request.Get());

    // Each piece is what has come: Wine's WinHttpReadData waits until it can
    // fill the whole buffer, which a slow answer may take long to do.
    std::vector<char> piece(kPiece);
    for (;;) {
        DWORD available = 0;
        if (!::WinHttpQueryDataAvailable(request.Get(), &available)) return false;
        DWORD got = 0;
        if (available == 0) return true;
        if (!::WinHttpReadData(request.Get(), piece.data(), std::min(available, kPiece), &got)) return false;
        if (got == 0) return true;
        if (!onPiece(piece.data(), got)) return false;
    }
}
