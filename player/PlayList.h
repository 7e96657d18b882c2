#pragma once

// CPlayList: the main window's music as the player keeps it: the chart's
// columns as the last load gave them, the row that plays, and the track that
// plays now with its clock, which the window's one-second timer advances.

#include <string>

#include "framework/String.h"
#include "framework/StringArray.h"

class CPlayList {
public:
    // Starts a track at 00:00; its title drops the chart's rank ("3. ").
    void Start(const CString& strTitle, const CString& strDuration, const CString& strArtist, const CString& strUrl);
    // The clock back to 00:00, as when nothing plays.
    void ResetClock();
    // One second on; true, with the clock back at 00:00, when that second
    // ends the track.
    bool Tick(std::string& strElapsed);
    // The window's caption while the track plays, at `strElapsed`.
    std::string Caption(const std::string& strElapsed) const;

    // The chart's columns, one entry per row.
    CStringArray m_arrMusicTitle;
    CStringArray m_arrMusicTime;
    CStringArray m_arrMusicName;
    CStringArray m_arrMusicAlbum;
    CStringArray m_arrMusicGenre;
    CStringArray m_arrMusicId;
    // The row that plays, or played last.
    int m_nMusicIndex = 0;

    // Now playing.
    CString m_strNowTitle;
    CString m_strNowArtist;
    CString m_strNowDuration;
    CString m_strNowUrl;
    int m_nPlaySeconds = 1;
    int m_nPlayMinutes = 0;
};
