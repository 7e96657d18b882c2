#pragma once

// Base of tests that use the stand-in server: each starts from a server with
// no faults, no replacement documents and an empty log, and leaves it so (a
// reset also wakes requests that a hang fault still holds).

#include "tests/win/support/StandIn.h"

#include <gtest/gtest.h>

class StandInTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StandIn::Reset()) << "the stand-in server does not answer at " << StandIn::Url("/");
    }
    void TearDown() override { StandIn::Reset(); }
};
