#pragma once

// The newest request per target. Each request for a target takes a ticket; a
// result carries the ticket of the request that made it and counts only while
// no newer request for its target exists, so a slow answer never overwrites
// a newer one. Tickets are taken on one thread; any thread may ask.

#include <atomic>
#include <cstddef>
#include <memory>

namespace core {

class Tickets {
public:
    explicit Tickets(size_t nTargets) : m_pNewest(new std::atomic<unsigned>[nTargets]), m_nTargets(nTargets)
    {
        for (size_t i = 0; i < nTargets; ++i) m_pNewest[i] = 0;
    }

    // A ticket newer than every earlier one of the target; 0 for no such target.
    unsigned Take(size_t nTarget)
    {
        if (nTarget >= m_nTargets) return 0;
        const unsigned nTicket = ++m_nLast;
        m_pNewest[nTarget] = nTicket;
        return nTicket;
    }

    bool IsNewest(size_t nTarget, unsigned nTicket) const
    {
        return nTarget < m_nTargets && nTicket != 0 && m_pNewest[nTarget] == nTicket;
    }

private:
    std::unique_ptr<std::atomic<unsigned>[]> m_pNewest;
    size_t m_nTargets;
    std::atomic<unsigned> m_nLast{0};
};

}  // namespace core
