// The newest posts of the vendor's humour board.
#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "core/FeedRows.h"
#include "feeds/ListFill.h"

void CMainDlg::LoadHumorBoard()
{
    QueueHumorBoard(0);
}

void CMainDlg::QueueHumorBoard(unsigned nSwitch)
{
    m_feeds.Queue(
        FeedTarget::Humor,
        [](const CFeedJob& job) -> CFeedWork::Apply {
            if (job.Superseded()) return nullptr;
            // Each post is read from its own item, so a post without an
            // author, or a channel image with a title and link of its own,
            // never shifts the others.
            XmlRequest request;
            request.url = "http://" STEL7_VENDOR_HOST "/zbxe/comedy/rss";
            request.deleteCacheEntry = true;
            request.recordTag = "item";
            request.recordFields = {{"title", -1}, {"dc:creator", -1}, {"link", -1}};
            const XmlResult result = job.Fetch(request);
            std::vector<core::HumorItem> items;
            for (const auto& record : result.records) {
                if (record.size() == 3) items.push_back({record[0], record[1], record[2]});
            }
            auto rows = result.parsed ? core::HumorRows(items) : std::vector<core::Row>();
            return [rows = std::move(rows)](CMainDlg& dlg) { ReplaceRows(dlg.m_listHumor, rows); };
        },
        nSwitch);
}
