#pragma once

// The columns of the five result lists. The last, hidden column "주소" of each
// holds the address that activating its row opens.

#include <windows.h>

#include <commctrl.h>

#include <cstddef>

struct ColumnSpec {
    const char* pszHeading;
    int nFormat;
    int nWidth;
};

inline constexpr ColumnSpec kVideoColumns[] = {
    {"제목", LVCFMT_LEFT, 600}, {"재생시간", LVCFMT_CENTER, 100}, {"등록일", LVCFMT_CENTER, 100},
    {"조회수", LVCFMT_CENTER, 100}, {"주소", LVCFMT_LEFT, 0}};
inline constexpr ColumnSpec kTweetColumns[] = {
    {"내용", LVCFMT_LEFT, 800}, {"작성자", LVCFMT_LEFT, 0}, {"등록일", LVCFMT_CENTER, 100}, {"주소", LVCFMT_LEFT, 0}};
inline constexpr ColumnSpec kChannelColumns[] = {
    {"제목", LVCFMT_LEFT, 600}, {"재생시간", LVCFMT_CENTER, 100}, {"추천수", LVCFMT_CENTER, 100},
    {"조회수", LVCFMT_CENTER, 100}, {"주소", LVCFMT_LEFT, 0}};
inline constexpr ColumnSpec kMusicColumns[] = {
    {"제목", LVCFMT_LEFT, 300}, {"시간", LVCFMT_CENTER, 100}, {"가수", LVCFMT_LEFT, 100},
    {"앨범", LVCFMT_LEFT, 300}, {"장르", LVCFMT_LEFT, 100},   {"주소", LVCFMT_LEFT, 0}};
inline constexpr ColumnSpec kHumorColumns[] = {
    {"제목", LVCFMT_LEFT, 700}, {"작성자", LVCFMT_LEFT, 200}, {"주소", LVCFMT_LEFT, 0}};

template <size_t N>
constexpr int AddressColumn(const ColumnSpec (&)[N])
{
    return static_cast<int>(N) - 1;
}

inline constexpr int kVideoAddressColumn = AddressColumn(kVideoColumns);
inline constexpr int kChannelAddressColumn = AddressColumn(kChannelColumns);
// The transport opens a row of either video list the same way.
static_assert(kVideoAddressColumn == kChannelAddressColumn, "both video lists keep the address in one column");
inline constexpr int kMusicAddressColumn = AddressColumn(kMusicColumns);
inline constexpr int kHumorAddressColumn = AddressColumn(kHumorColumns);
