// Playing rows: the current row of each playable list, the transport buttons,
// the video window, and the music clock with its play modes.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <ctime>

#include "app/AppTexts.h"
#include "app/MainDlg.h"
#include "core/Section.h"
#include "app/shared/Settings.h"
#include "core/PlayMode.h"
#include "core/TextRules.h"
#include "core/WebLink.h"
#include "feeds/ListColumns.h"
#include "framework/OwnedWindow.h"
#include "player/VideoDlg.h"
#include "res/resource.h"

namespace {

const UINT_PTR kMusicTimer = 1;

int ClickedRow(const NMHDR* pNMHDR)
{
    return pNMHDR ? reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR)->iItem : -1;
}

// A row counts only once its address is in: a document may leave a row's
// address empty, and such a row would play "".
bool RowExists(const CListCtrl& list, int nRow, int nAddressColumn)
{
    return nRow >= 0 && nRow < list.GetItemCount() && !list.GetItemText(nRow, nAddressColumn).IsEmpty();
}

// Makes the row the only selected and focused one, scrolls it into view and
// gives the list the keyboard focus.
void SelectRow(CListCtrl& list, int nRow)
{
    list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(nRow, FALSE);
    list.SetFocus();
}

}  // namespace

void CMainDlg::ShowVideo(CString strTitle, CString strUrl)
{
    if (!m_pVideoDlg || !::IsWindow(m_pVideoDlg->m_hWnd)) {
        // The user closed the last one: its window is gone, its object stays.
        DestroyOwned(m_pVideoDlg);
        CVideoDlg* pVideoDlg = new CVideoDlg(this);
        if (!pVideoDlg->Create(IDD_VIDEO, this)) {
            delete pVideoDlg;
            return;
        }
        m_pVideoDlg = pVideoDlg;
        m_pVideoDlg->ShowWindow(SW_SHOW);
    }
    m_pVideoDlg->SetWindowText(CString(kTextProductName) + " - " + strTitle);
    m_pVideoDlg->m_browser.Navigate(strUrl);
}

void CMainDlg::PlayMusic(int nIndex)
{
    if (!RowExists(m_listMusic, nIndex, kMusicAddressColumn)) return;
    SelectRow(m_listMusic, nIndex);
    m_playList.Start(m_listMusic.GetItemText(nIndex, 0), m_listMusic.GetItemText(nIndex, 1),
                     m_listMusic.GetItemText(nIndex, 2), m_listMusic.GetItemText(nIndex, kMusicAddressColumn));
    m_browser.Navigate(m_playList.m_strNowUrl);
    SetWindowText(m_playList.Caption("00:00").c_str());
    SetTimer(kMusicTimer, 1000);
}

void CMainDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kMusicTimer) {
        Default();
        return;
    }
    std::string elapsed;
    const bool bEnded = m_playList.Tick(elapsed);
    SetWindowText(m_playList.Caption(elapsed).c_str());
    if (bEnded) {
        KillTimer(kMusicTimer);
        SetWindowText(kTextProductName);
        const core::PlayMode mode = ReadPlayMode();
        int nDraw = 0;
        if (mode == core::PlayMode::Random) {
            std::srand(static_cast<unsigned>(std::time(nullptr)));
            nDraw = std::rand();
        }
        int& nIndex = m_playList.m_nMusicIndex;
        const int nNext = core::RowAfterTrackEnd(mode, nIndex, m_listMusic.GetItemCount(), nDraw);
        if (mode == core::PlayMode::Continuity && nNext >= 0) nIndex = nNext;
        if (nNext >= 0) PlayMusic(nNext);
    }
    Default();
}

void CMainDlg::OnClickListVideo(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_sections.m_nVideoIndex = ClickedRow(pNMHDR);
    *pResult = 0;
}

void CMainDlg::ShowVideoRow(CListCtrl& list, int nRow)
{
    if (RowExists(list, nRow, kVideoAddressColumn)) {
        ShowVideo(list.GetItemText(nRow, 0), list.GetItemText(nRow, kVideoAddressColumn));
    }
}

void CMainDlg::OnDblclkListVideo(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_sections.m_nVideoIndex = ClickedRow(pNMHDR);
    ShowVideoRow(m_listVideo, m_sections.m_nVideoIndex);
    *pResult = 0;
}

void CMainDlg::OnClickListChannel(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_sections.m_nChannelIndex = ClickedRow(pNMHDR);
    *pResult = 0;
}

void CMainDlg::OnDblclkListChannel(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_sections.m_nChannelIndex = ClickedRow(pNMHDR);
    ShowVideoRow(m_listChannel, m_sections.m_nChannelIndex);
    *pResult = 0;
}

void CMainDlg::OnClickListMusic(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_playList.m_nMusicIndex = ClickedRow(pNMHDR);
    *pResult = 0;
}

void CMainDlg::OnDblclkListMusic(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_playList.m_nMusicIndex = ClickedRow(pNMHDR);
    PlayMusic(m_playList.m_nMusicIndex);
    *pResult = 0;
}

void CMainDlg::OnDblclkListHumor(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nRow = ClickedRow(pNMHDR);
    if (RowExists(m_listHumor, nRow, kHumorAddressColumn)) {
        // The link comes from the board's feed: only a web address is opened,
        // and it reaches the browser as one argument.
        const std::string link = m_listHumor.GetItemText(nRow, kHumorAddressColumn).Str();
        if (core::IsWebAddress(link)) {
            ::ShellExecuteA(nullptr, "open", "iexplore.exe", core::QuotedArgument(link).c_str(), nullptr,
                            SW_SHOWNORMAL);
        }
    }
    *pResult = 0;
}

void CMainDlg::OnPlay()
{
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
        ShowVideoRow(m_listVideo, m_sections.m_nVideoIndex);
        break;
    case core::kSectionChannel:
        ShowVideoRow(m_listChannel, m_sections.m_nChannelIndex);
        break;
    case core::kSectionMusic:
        PlayMusic(m_playList.m_nMusicIndex);
        break;
    default:
        break;
    }
}

void CMainDlg::OnStop()
{
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
    case core::kSectionChannel:
        DestroyOwned(m_pVideoDlg);
        break;
    case core::kSectionMusic:
        KillTimer(kMusicTimer);
        m_playList.ResetClock();
        m_browser.Navigate("about:blank");
        SetWindowText(kTextProductName);
        break;
    default:
        break;
    }
}

void CMainDlg::StepVideo(CListCtrl& list, int& nIndex, int nNewIndex)
{
    if (nNewIndex < 0) return;
    nIndex = nNewIndex;
    SelectRow(list, nIndex);
    ShowVideoRow(list, nIndex);
}

void CMainDlg::StepMusic(int nNewIndex)
{
    if (nNewIndex < 0) return;
    m_playList.m_nMusicIndex = nNewIndex;
    PlayMusic(m_playList.m_nMusicIndex);
}

void CMainDlg::OnPrev()
{
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
        StepVideo(m_listVideo, m_sections.m_nVideoIndex, core::PrevRow(m_sections.m_nVideoIndex, m_listVideo.GetItemCount()));
        break;
    case core::kSectionChannel:
        StepVideo(m_listChannel, m_sections.m_nChannelIndex, core::PrevRow(m_sections.m_nChannelIndex, m_listChannel.GetItemCount()));
        break;
    case core::kSectionMusic:
        StepMusic(core::PrevRow(m_playList.m_nMusicIndex, m_listMusic.GetItemCount()));
        break;
    default:
        break;
    }
}

void CMainDlg::OnNext()
{
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
        StepVideo(m_listVideo, m_sections.m_nVideoIndex, core::NextRow(m_sections.m_nVideoIndex, m_listVideo.GetItemCount()));
        break;
    case core::kSectionChannel:
        StepVideo(m_listChannel, m_sections.m_nChannelIndex, core::NextRow(m_sections.m_nChannelIndex, m_listChannel.GetItemCount()));
        break;
    case core::kSectionMusic:
        StepMusic(core::NextRow(m_playList.m_nMusicIndex, m_listMusic.GetItemCount()));
        break;
    default:
        break;
    }
}
