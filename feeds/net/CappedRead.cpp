#include "feeds/net/CappedRead.h"

#include "framework/Handles.h"
#include "feeds/net/HttpGet.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

namespace {

constexpr DWORD kPiece = 64 * 1024;

// The reply so far; takes no piece past the cap, nor any once nobody waits.
class CReplyBuffer {
public:
    CReplyBuffer(uint64_t maxBytes, const std::atomic<bool>& abandoned) : m_nMaxBytes(maxBytes), m_abandoned(abandoned)
    {
    }

    bool Take(const char* data, DWORD size)
    {
        if (m_abandoned.load()) return false;
        if (m_reply.bytes.size() + size > m_nMaxBytes) {
            m_reply.tooLarge = true;
            return false;
        }
        m_reply.bytes.append(data, size);
        return true;
    }

    // What was read, once reading has ended (`complete`: at the reply's end).
    CappedReply Finish(bool complete)
    {
        if (m_reply.tooLarge && !m_abandoned.load()) {
            CappedReply tooLarge;
            tooLarge.received = true;
            tooLarge.tooLarge = true;
            return tooLarge;
        }
        if (!complete || m_abandoned.load()) return CappedReply();
        m_reply.received = true;
        return std::move(m_reply);
    }

private:
    const uint64_t m_nMaxBytes;
    const std::atomic<bool>& m_abandoned;
    CappedReply m_reply;
};

CappedReply ReadFromServer(const std::string& url, CReplyBuffer& buffer)
{
    HttpReply reply;
    const bool complete =
        HttpGet(url, reply, [&buffer](const char* data, DWORD size) { return buffer.Take(data, size); });
    return buffer.Finish(complete);
}

CappedReply ReadFromFile(const std::string& path, CReplyBuffer& buffer)
{
    const CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid()) return CappedReply();
    std::vector<char> piece(kPiece);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), piece.data(), kPiece, &got, nullptr)) return buffer.Finish(false);
        if (got == 0) return buffer.Finish(true);
        if (!buffer.Take(piece.data(), got)) return buffer.Finish(false);
    }
}

}  // namespace

CappedReply ReadCapped(const std::string& source, uint64_t maxBytes, const std::atomic<bool>& abandoned)
{
    if (source.empty()) return CappedReply();
    CReplyBuffer buffer(maxBytes, abandoned);
    // Addresses of other schemes (file:, ftp:) are not read: HttpGet refuses them.
    if (::PathIsURLA(source.c_str())) return ReadFromServer(source, buffer);
    return ReadFromFile(source, buffer);
}
