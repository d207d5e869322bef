#include "app/splashtimeline.h"

#include <algorithm>

namespace kz {

std::vector<SplashEvent> SplashTimeline::advance(std::int64_t elapsedMs) {
    std::vector<SplashEvent> out;
    if (ended_) return out;
    const std::int64_t now = std::min(elapsedMs, kEndMs);

    struct Due {
        std::int64_t at;
        SplashEvent event;
    };
    std::vector<Due> due;
    const int step = static_cast<int>(std::min<std::int64_t>(kFadeSteps, now / kFadeStepMs));
    if (step > fadeSteps_) {
        due.push_back({step * kFadeStepMs, {SplashEvent::Kind::Opacity, opacityAfter(step)}});
        fadeSteps_ = step;
    }
    while (pictures_ < 3 && kPictureMs[pictures_] <= now) {
        due.push_back({kPictureMs[pictures_], {SplashEvent::Kind::Picture, pictures_ + 1}});
        ++pictures_;
    }
    if (elapsedMs >= kEndMs) {
        due.push_back({kEndMs, {SplashEvent::Kind::End, 0}});
        ended_ = true;
    }
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.at < b.at; });
    for (const Due& d : due) out.push_back(d.event);
    return out;
}

std::optional<std::int64_t> SplashTimeline::nextDueMs() const {
    if (ended_) return std::nullopt;
    std::int64_t next = kEndMs;
    if (fadeSteps_ < kFadeSteps) next = std::min(next, (fadeSteps_ + 1) * kFadeStepMs);
    if (pictures_ < 3) next = std::min(next, kPictureMs[pictures_]);
    return next;
}

}  // namespace kz
