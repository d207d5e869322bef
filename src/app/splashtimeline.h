// What the splash does when: it fades in, shows three pictures with a chime,
// then gives way to the floating ball. Driven by elapsed time, so a clock in
// a test can replay it in an instant.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kz {

struct SplashEvent {
    enum class Kind {
        Opacity,  // value: the window's opacity, 0..255
        Picture,  // value: 1, 2 or 3; shown with the chime
        End,      // hide the splash, show the ball
    };
    Kind kind;
    int value = 0;
    bool operator==(const SplashEvent&) const = default;
};

class SplashTimeline {
public:
    static constexpr int kStartOpacity = 0;
    // The fade goes 10, 15, ... 250 and stays below full opacity.
    static constexpr int kFadeSteps = 49;
    static constexpr int kFinalOpacity = 250;
    // One fade step per tick of the desktop's usual timer resolution, so the
    // fade takes about three quarters of a second.
    static constexpr std::int64_t kFadeStepMs = 15;
    static constexpr std::int64_t kPictureMs[3] = {5, 1600, 2400};
    static constexpr std::int64_t kEndMs = 2700;

    // The opacity after `step` fade steps (0: none yet).
    static int opacityAfter(int step) { return step == 0 ? kStartOpacity : 5 + 5 * step; }

    // Everything due by `elapsedMs` and not reported yet, in time order. Fade
    // steps that fell due together are reported once, as the latest opacity.
    // Nothing is due after End.
    std::vector<SplashEvent> advance(std::int64_t elapsedMs);

    // When the next event falls due; nothing once the splash has ended.
    std::optional<std::int64_t> nextDueMs() const;
    bool ended() const { return ended_; }

private:
    int fadeSteps_ = 0;
    int pictures_ = 0;
    bool ended_ = false;
};

}  // namespace kz
