#include "core/DownloadCheck.h"

namespace core {

namespace {

constexpr unsigned kFirstErrorStatus = 400;

}  // namespace

DownloadVerdict CheckDownload(const DownloadFacts& facts)
{
    if (!facts.completed) return DownloadVerdict::Failed;
    if (facts.httpStatus >= kFirstErrorStatus) return DownloadVerdict::ErrorStatus;
    if (facts.size == 0) return DownloadVerdict::Empty;
    if (facts.largestSize != 0 && facts.size > facts.largestSize) return DownloadVerdict::TooLarge;
    if (facts.announcedLength != 0 && facts.size != facts.announcedLength) return DownloadVerdict::WrongLength;
    return DownloadVerdict::Good;
}

bool StartsAsWindowsProgram(const std::string& firstBytes)
{
    return firstBytes.size() >= 2 && firstBytes[0] == 'M' && firstBytes[1] == 'Z';
}

}  // namespace core
