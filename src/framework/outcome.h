// What one press of a tool window's button produces, as data: the texts of
// the controls it changes and the messages to show, in order. Tool
// computations return it; the window applies it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/numconv.h"
#include "framework/working.h"

namespace kz {

inline constexpr std::string_view kErrorTitle = "错误";
inline constexpr std::string_view kFailureText = "发生错误！";
inline constexpr std::string_view kCopyFirstText = "计算结果出来后才可以复制！";

enum class MessageIcon { Error, Information };

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Error;
    bool operator==(const Message&) const = default;
};

// Control name -> text. Ordered so tests and windows see a stable order.
using Texts = std::map<std::string, std::string, std::less<>>;

// A message box titled "错误" with the error icon.
inline Message errorMessage(std::string_view text) {
    return {std::string(text), std::string(kErrorTitle), MessageIcon::Error};
}

struct Outcome {
    Texts set;                      // controls whose text changes
    std::vector<Message> messages;  // shown after the texts are set
    bool failed = false;            // windows that manage Copy disable it
    Working working;                // how the answer was found; empty where there is none

    void show(std::string control, std::string text) { set[std::move(control)] = std::move(text); }
    void error(std::string_view text) { messages.push_back(errorMessage(text)); }
    void information(std::string text, std::string title) {
        messages.push_back({std::move(text), std::move(title), MessageIcon::Information});
    }
};

// The carry-on failure rule: a step that fails has no effect and the
// calculation goes on with the next one; a failing test condition runs what
// it guards; a failing loop-end condition leaves the loop. Windows that end
// at the first failure construct it with stopAtFirstFailure.
class Calculation {
public:
    explicit Calculation(bool stopAtFirstFailure = false) : stopAtFirst_(stopAtFirstFailure) {}

    // True when the step ran to its end: false when it failed, or did not
    // run because the calculation had stopped.
    template <typename F>
    bool step(F&& f) {
        if (stopped_) return false;
        try {
            f();
            return true;
        } catch (const NumFailure& e) {
            record(e.kind());
            return false;
        }
    }

    // A test's condition; a failing condition counts as passed.
    template <typename F>
    bool test(F&& condition) {
        if (stopped_) return false;
        try {
            return condition();
        } catch (const NumFailure& e) {
            record(e.kind());
            return !stopped_;
        }
    }

    // A loop's end condition; a failing condition ends the loop.
    template <typename F>
    bool loopEnds(F&& condition) {
        if (stopped_) return true;
        try {
            return condition();
        } catch (const NumFailure& e) {
            record(e.kind());
            return true;
        }
    }

    bool failed() const { return !failures_.empty(); }
    bool stopped() const { return stopped_; }
    const std::vector<FailureKind>& failures() const { return failures_; }

    // The kind of the latest failure; only meaningful when failed().
    FailureKind lastFailure() const { return failures_.back(); }

    // One message per failure, in order, with the given text, for callers
    // that keep their messages as texts.
    void reportTo(std::vector<std::string>& messages, std::string_view text) const {
        messages.insert(messages.end(), failures_.size(), std::string(text));
    }

    // One message box per failure, in order, with the given text.
    void reportTo(Outcome& out, std::string_view text = kFailureText) const {
        for (std::size_t i = 0; i < failures_.size(); ++i) out.error(text);
        if (failed()) out.failed = true;
    }

private:
    void record(FailureKind k) {
        failures_.push_back(k);
        if (stopAtFirst_) stopped_ = true;
    }

    bool stopAtFirst_;
    bool stopped_ = false;
    std::vector<FailureKind> failures_;
};

}  // namespace kz
