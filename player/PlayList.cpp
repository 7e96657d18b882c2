#include "player/PlayList.h"

#include "core/MusicClock.h"
#include "core/TextRules.h"

void CPlayList::Start(const CString& strTitle, const CString& strDuration, const CString& strArtist,
                      const CString& strUrl)
{
    m_strNowTitle = CString(core::TextAfterFirstOccurrence(strTitle.Str(), ". "));
    m_strNowDuration = strDuration;
    m_strNowArtist = strArtist;
    m_strNowUrl = strUrl;
    ResetClock();
}

void CPlayList::ResetClock()
{
    m_nPlaySeconds = 1;
    m_nPlayMinutes = 0;
}

bool CPlayList::Tick(std::string& strElapsed)
{
    strElapsed = core::AdvanceMusicClock(m_nPlaySeconds, m_nPlayMinutes);
    if (strElapsed != m_strNowDuration.Str()) return false;
    ResetClock();
    return true;
}

std::string CPlayList::Caption(const std::string& strElapsed) const
{
    return core::NowPlayingCaption(m_strNowTitle.Str(), m_strNowArtist.Str(), strElapsed, m_strNowDuration.Str());
}
