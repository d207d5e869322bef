// The splash's timeline replayed on a clock that the test turns by hand.
#include "app/splashtimeline.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using kz::SplashEvent;
using kz::SplashTimeline;
using Kind = SplashEvent::Kind;

struct Timed {
    std::int64_t at;
    SplashEvent event;
};

// Every event with the time it was reported, ticking the clock one millisecond at a time.
std::vector<Timed> replayByMillisecond(std::int64_t until) {
    SplashTimeline t;
    std::vector<Timed> out;
    for (std::int64_t ms = 0; ms <= until; ++ms)
        for (const SplashEvent& e : t.advance(ms)) out.push_back({ms, e});
    return out;
}

TEST(SplashTimeline, FadesInFortyNineStepsToTwoHundredFifty) {
    std::vector<int> opacities;
    std::int64_t last = 0;
    for (const Timed& t : replayByMillisecond(4000))
        if (t.event.kind == Kind::Opacity) {
            opacities.push_back(t.event.value);
            last = t.at;
        }
    ASSERT_EQ(opacities.size(), 49u);
    for (std::size_t i = 0; i < opacities.size(); ++i) EXPECT_EQ(opacities[i], 10 + 5 * static_cast<int>(i));
    EXPECT_EQ(opacities.back(), SplashTimeline::kFinalOpacity);
    EXPECT_LT(last, 1000) << "the fade should be over well before the pictures end";
}

TEST(SplashTimeline, PicturesAndBallAtTheirTimes) {
    std::map<std::int64_t, std::vector<SplashEvent>> others;
    for (const Timed& t : replayByMillisecond(4000))
        if (t.event.kind != Kind::Opacity) others[t.at].push_back(t.event);
    const std::map<std::int64_t, std::vector<SplashEvent>> expected = {
        {5, {{Kind::Picture, 1}}},
        {1600, {{Kind::Picture, 2}}},
        {2400, {{Kind::Picture, 3}}},
        {2700, {{Kind::End, 0}}},
    };
    EXPECT_EQ(others, expected);
}

TEST(SplashTimeline, ALateClockCatchesUpInOrderWithoutPassingTheEnd) {
    SplashTimeline t;
    EXPECT_TRUE(t.advance(0).empty());
    EXPECT_EQ(t.advance(2000),
              (std::vector<SplashEvent>{{Kind::Picture, 1}, {Kind::Opacity, 250}, {Kind::Picture, 2}}));
    EXPECT_EQ(t.advance(9000), (std::vector<SplashEvent>{{Kind::Picture, 3}, {Kind::End, 0}}));
    EXPECT_TRUE(t.ended());
    EXPECT_TRUE(t.advance(20000).empty());
}

// A timer that sleeps until the next due time wakes a bounded number of
// times and then never again, so the program idles once the ball shows.
TEST(SplashTimeline, SleepsBetweenEventsAndStopsAfterTheEnd) {
    SplashTimeline t;
    int wakeUps = 0;
    std::int64_t now = 0;
    t.advance(now);
    while (const auto next = t.nextDueMs()) {
        ASSERT_GT(*next, now) << "a wake-up must move time on";
        now = *next;
        t.advance(now);
        ++wakeUps;
    }
    EXPECT_EQ(now, SplashTimeline::kEndMs);
    EXPECT_EQ(wakeUps, SplashTimeline::kFadeSteps + 4);
}

}  // namespace
