#include "core/Tickets.h"

#include <gtest/gtest.h>

TEST(TicketsTest, OnlyTheNewestTicketOfAKnownTargetCounts)
{
    core::Tickets tickets(3);
    const unsigned first = tickets.Take(1);
    const unsigned other = tickets.Take(2);
    EXPECT_TRUE(tickets.IsNewest(1, first));
    const unsigned second = tickets.Take(1);
    EXPECT_FALSE(tickets.IsNewest(1, first));
    EXPECT_TRUE(tickets.IsNewest(1, second));
    // A newer request for another target supersedes nothing here.
    EXPECT_TRUE(tickets.IsNewest(2, other));
    // Another target's ticket is never this target's.
    EXPECT_FALSE(tickets.IsNewest(2, second));
    // No ticket and unknown targets never count.
    EXPECT_FALSE(tickets.IsNewest(0, 0));
    EXPECT_EQ(0u, tickets.Take(3));
    EXPECT_FALSE(tickets.IsNewest(3, 0));
    EXPECT_FALSE(tickets.IsNewest(5, tickets.Take(0)));
}
