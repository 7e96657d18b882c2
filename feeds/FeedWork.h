#pragma once

// The main window's network work, and which thread owns what:
// - The window's thread owns every window, every control and every member of
//   CMainDlg. It queues work and applies results, and never waits for the
//   worker, the network or a lock held across either.
// - One feed worker runs the queued jobs one at a time, in the order they were
//   queued: each action's count reaches the server before its fetch, and the
//   start-up's requests keep their order. A job sends counts, fetches and
//   parses; it owns copies of what it reads and never touches a window.
// - A job hands back its result as a function that the window's thread runs
//   from a posted message. It runs only while the ticket its request took is
//   the newest for its target and the window is not closing; a superseded or
//   late result is dropped.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/Tickets.h"
#include "feeds/net/CancelEvent.h"
#include "feeds/net/XmlFetch.h"
#include "framework/WindowTasks.h"
#include "framework/WorkQueue.h"

class CMainDlg;

// What a result is for; each has its own newest ticket.
enum class FeedTarget { Rank, Video, Tweet, Channel, Music, Humor, Update, Popup, Toast, Count, Switch, Targets };

// What a job may use on the worker.
class CFeedJob {
public:
    CFeedJob(HANDLE hCancel, const core::Tickets& tickets, unsigned nSwitch, std::string& rstrTopKeyword)
        : m_hCancel(hCancel), m_tickets(tickets), m_nSwitch(nSwitch), m_rstrTopKeyword(rstrTopKeyword)
    {
    }

    // Signalled when the window closes: every network wait ends at once.
    HANDLE Cancel() const { return m_hCancel; }
    // A step of a section switch for which a newer switch was asked: its
    // fetch would only be dropped.
    bool Superseded() const;
    // The search rank's last term, kept by the worker for the jobs after it.
    std::string& TopKeyword() const { return m_rstrTopKeyword; }
    // A fetch bounded by the network deadline, given up when the window closes.
    XmlResult Fetch(const XmlRequest& request) const;
    // A usage count (see CountUrl), bounded the same way.
    void SendPing(const std::string& strUrl) const;

private:
    HANDLE m_hCancel;
    const core::Tickets& m_tickets;
    unsigned m_nSwitch;
    std::string& m_rstrTopKeyword;
};

class CFeedWork {
public:
    // Runs on the window's thread with the window that queued the job.
    using Apply = std::function<void(CMainDlg&)>;
    // Runs on the worker; returns the result to apply, or null for none.
    using Job = std::function<Apply(const CFeedJob&)>;

    CFeedWork();
    ~CFeedWork();
    CFeedWork(const CFeedWork&) = delete;
    CFeedWork& operator=(const CFeedWork&) = delete;

    // The window's thread, once its window exists: results arrive as
    // `nMessage`, whose handler calls RunResults.
    void Attach(CMainDlg* pOwner, HWND hWnd, UINT nMessage);
    // Queues `job` for `target`, taking the target's newest ticket now.
    // nSwitch: the section switch the job belongs to (see BeginSwitch), or 0.
    // False when closing.
    bool Queue(FeedTarget target, Job job, unsigned nSwitch = 0);
    // A new section switch, superseding the steps of every earlier one.
    unsigned BeginSwitch() { return m_tickets.Take(static_cast<size_t>(FeedTarget::Switch)); }
    void RunResults();
    // The window closes: waits on the network end, queued jobs and results
    // are dropped, and nothing is queued any more. Never waits.
    void Close();
    bool IsClosing() const { return m_pClosing->IsSet(); }
    // Jobs queued whose result has not come back yet.
    int Pending() const { return m_nPending; }
    // Workers still running (0 or 1); the worker ends soon after Close.
    int LiveWorkers() const { return m_queue.LiveWorkers(); }

private:
    CMainDlg* m_pOwner = nullptr;
    // Shared with the worker, which may outlive the window by a job.
    std::shared_ptr<CCancelEvent> m_pClosing;
    std::shared_ptr<CWindowTasks> m_pResults;
    std::shared_ptr<core::Tickets> m_pTicketsShared;
    core::Tickets& m_tickets;
    std::shared_ptr<std::string> m_pTopKeyword;
    CWorkQueue m_queue;
    int m_nPending = 0;
};
