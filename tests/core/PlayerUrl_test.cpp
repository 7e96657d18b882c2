#include "core/PlayerUrl.h"

#include <gtest/gtest.h>

TEST(PlayerUrl, VideoAndMusicForms)
{
    EXPECT_EQ(core::PlayerUrl("www.youtube.com", "abc"),
              "http://www.youtube.com/v/abc?version=3&amp;autohide=1;autoplay=1;showinfo=0");
    EXPECT_EQ(core::MusicPlayerUrl("127.0.0.1:8717", "x_Y-1"),
              "http://127.0.0.1:8717/v/x_Y-1?version=3&amp;autohide=1;autoplay=1");
    EXPECT_EQ(core::PlayerUrl("h", ""), "http://h/v/?version=3&amp;autohide=1;autoplay=1;showinfo=0");
}
