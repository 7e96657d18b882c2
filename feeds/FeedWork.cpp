#include "feeds/FeedWork.h"

#include "BuildConfig.h"
#include "feeds/net/AnalyticsPing.h"

bool CFeedJob::Superseded() const
{
    return m_nSwitch != 0 && !m_tickets.IsNewest(static_cast<size_t>(FeedTarget::Switch), m_nSwitch);
}

XmlResult CFeedJob::Fetch(const XmlRequest& request) const
{
    if (::WaitForSingleObject(m_hCancel, 0) == WAIT_OBJECT_0) return XmlResult{true, false, {}, {}};
    return FetchXml(request, STEL7_NET_DEADLINE_MS, m_hCancel);
}

void CFeedJob::SendPing(const std::string& strUrl) const
{
    if (::WaitForSingleObject(m_hCancel, 0) != WAIT_OBJECT_0) SendAnalyticsPing(strUrl, STEL7_NET_DEADLINE_MS, m_hCancel);
}

CFeedWork::CFeedWork()
    : m_pClosing(std::make_shared<CCancelEvent>()),
      m_pTicketsShared(std::make_shared<core::Tickets>(static_cast<size_t>(FeedTarget::Targets))),
      m_tickets(*m_pTicketsShared),
      m_pTopKeyword(std::make_shared<std::string>())
{
}

CFeedWork::~CFeedWork()
{
    Close();
}

void CFeedWork::Attach(CMainDlg* pOwner, HWND hWnd, UINT nMessage)
{
    m_pOwner = pOwner;
    m_pResults = std::make_shared<CWindowTasks>(hWnd, nMessage);
}

bool CFeedWork::Queue(FeedTarget target, Job job, unsigned nSwitch)
{
    if (IsClosing() || !m_pResults || !job) return false;
    const size_t nTarget = static_cast<size_t>(target);
    const unsigned nTicket = m_tickets.Take(nTarget);
    // The worker holds its own references and never reads this object: it
    // only hands its address back to the window's thread with the result.
    CFeedWork* pWork = this;
    auto pClosing = m_pClosing;
    auto pResults = m_pResults;
    auto pTickets = m_pTicketsShared;
    auto pTopKeyword = m_pTopKeyword;
    const bool bQueued = m_queue.Queue([pWork, pClosing, pResults, pTickets, pTopKeyword, nSwitch, nTarget, nTicket,
                                        job = std::move(job)] {
        Apply apply;
        if (!pClosing->IsSet()) {
            try {
                apply = job(CFeedJob(pClosing->Handle(), *pTickets, nSwitch, *pTopKeyword));
            } catch (...) {
                // A job that failed has no result; its end still comes back.
            }
        }
        // Every job's end comes back, with or without a result, so the
        // window's count of pending jobs always returns to zero.
        pResults->Post([pWork, nTarget, nTicket, apply = std::move(apply)] {
            --pWork->m_nPending;
            if (apply && !pWork->IsClosing() && pWork->m_tickets.IsNewest(nTarget, nTicket)) apply(*pWork->m_pOwner);
        });
    });
    if (bQueued) ++m_nPending;
    return bQueued;
}

void CFeedWork::RunResults()
{
    if (m_pResults) m_pResults->RunPending();
}

void CFeedWork::Close()
{
    m_pClosing->Set();
    m_queue.Stop();
    if (m_pResults) m_pResults->Detach();
}
