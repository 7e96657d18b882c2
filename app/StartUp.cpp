// The start-up's network steps. They are queued on the feed worker as soon as
// the window exists, in their fixed order (count, update check, search rank,
// the two searches of its term, pop-up check), and run while the window is
// made up and shown; their results are applied once it has shown. A slow or
// hanging server never keeps the window away, and it paints and answers
// meanwhile. A search the user starts during the start-up is queued after
// these, so its rows are the ones that stay on screen.
#include "app/MainDlg.h"

void CMainDlg::StartStartUp()
{
    SendCount("execute");
    CheckUpdate(0);
    LoadSearchRank();
    QueueVideoSearch(std::nullopt, 0);
    QueueTweetSearch(std::nullopt, 0);
    CheckPopup();
}
