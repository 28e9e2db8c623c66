#include <gtest/gtest.h>
#include <string.h>

#include "fake_system.h"
#include "base/local_time.h"

namespace {

TEST(LocalTime, MomentsCountTicksFrom1601AsFileTimesDo)
{
    struct Case { LocalTime time; int real; int64_t ticks; } cases[] = {
        {At(1601, 1, 1, 0, 0, 0), 1, 0},
        {At(1601, 1, 1, 0, 0, 1, 1), 1, 10010000},
        {At(2026, 12, 5, 9, 3, 7, 250), 1, 134409349872500000},
        {At(2000, 2, 29, 0, 0, 0), 1, 125962560000000000},
        {At(30827, 12, 31, 23, 59, 59, 999), 1, 9223149887999990000},
        {At(1600, 12, 31, 0, 0, 0), 0, -1},   {At(30828, 1, 1, 0, 0, 0), 0, -1},
        {At(2100, 2, 29, 0, 0, 0), 0, -1},    {At(2026, 4, 31, 0, 0, 0), 0, -1},
        {At(2026, 13, 1, 0, 0, 0), 0, -1},    {At(2026, 1, 0, 0, 0, 0), 0, -1},
        {At(2026, 1, 1, 24, 0, 0), 0, -1},    {At(2026, 1, 1, 0, 60, 0), 0, -1},
        {At(2026, 1, 1, 0, 0, 60), 0, -1},    {At(2026, 1, 1, 0, 0, 0, 1000), 0, -1},
    };
    for (const Case& c : cases) {
        int64_t ticks = -1;
        EXPECT_EQ(c.real, LocalTimeToTicks(c.time, &ticks)) << c.time.wYear;
        EXPECT_EQ(c.ticks, ticks) << c.time.wYear;
        EXPECT_EQ(c.real, IsRealMoment(c.time));
        if (c.real) { // and back, a part of a millisecond more
            LocalTime back = TicksToLocalTime(c.ticks + 9999);
            back.wDayOfWeek = c.time.wDayOfWeek;
            EXPECT_EQ(0, memcmp(&c.time, &back, sizeof back)) << c.time.wYear;
        }
    }
    EXPECT_EQ(-10000, TimeDifference(At(2026, 1, 1, 0, 0, 0, 1), At(2026, 1, 1, 0, 0, 0, 0)));
    EXPECT_EQ(864000000000, TimeDifference(At(2026, 2, 28, 12, 0, 0), At(2026, 3, 1, 12, 0, 0)));
    EXPECT_EQ(10000000, TimeDifference(At(2026, 4, 31, 0, 0, 0), At(1601, 1, 1, 0, 0, 1))); // unreal: 0
    EXPECT_EQ(-10000000, TimeDifference(At(1601, 1, 1, 0, 0, 1), At(2026, 4, 31, 0, 0, 0)));
}

} // namespace
