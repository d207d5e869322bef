// The working of one calculation, as a pupil writes it in the exercise book:
// equals chains (递等式), short-division ladders (短除法) and sentences. A
// computation builds it from the very values it read, next to its Outcome,
// so the working's last value is the answer the window shows. It is data:
// the pane draws it, kztool and Copy print its plain text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz {

// The exercise book's signs. Fractions are written "a/b" and mixed numbers
// "2又1/3" (the pane stacks them), powers "a^b" (the pane raises b).
namespace sign {
inline constexpr std::string_view kPlus = "＋";
inline constexpr std::string_view kMinus = "－";
inline constexpr std::string_view kTimes = "×";
inline constexpr std::string_view kDivide = "÷";
inline constexpr std::string_view kEquals = "＝";
inline constexpr std::string_view kRemainder = "……";
inline constexpr std::string_view kLess = "＜";
inline constexpr std::string_view kGreater = "＞";
}  // namespace sign

// What a sentence of the working may start with.
namespace lead {
inline constexpr std::string_view kSolution = "解：";
inline constexpr std::string_view kCheck = "验算：";
inline constexpr std::string_view kVerify = "检验：";
inline constexpr std::string_view kAnswer = "答：";
}  // namespace lead

struct LadderRow {
    std::string divisor;
    std::vector<std::string> numbers;
    std::optional<std::string> remainder;  // 除二取余: what the row leaves
    bool operator==(const LadderRow&) const = default;
};

struct WorkingBlock {
    enum class Kind { Steps, Ladder, Line };
    Kind kind = Kind::Line;
    // Steps: the expression, then each rewriting (written after "＝").
    std::vector<std::string> steps;
    // Ladder: one row per division, then the numbers left.
    std::vector<LadderRow> rows;
    std::vector<std::string> left;
    // Line: an optional lead ("解：") and the sentence.
    std::string lead;
    std::string text;
    bool operator==(const WorkingBlock&) const = default;
};

class Working {
public:
    // Chainable builders: Working w; w.line("17÷5＝3……2").line(lead::kCheck, "5×3＋2＝17");
    Working& steps(std::vector<std::string> expressionThenRewritings);
    Working& ladder(std::vector<LadderRow> rows, std::vector<std::string> left);
    Working& line(std::string text);
    Working& line(std::string_view leadText, std::string text);
    Working& append(const Working& other);

    const std::vector<WorkingBlock>& blocks() const { return blocks_; }
    bool empty() const { return blocks_.empty(); }

    // The plain text, one string per line: steps as the expression and then
    // "＝…" lines; ladder rows "D | N1 N2" (" …… R" where a row keeps its
    // remainder), the numbers left under the numbers above; sentences as they read.
    std::vector<std::string> plainLines() const;
    std::string plainText() const;  // the lines joined by "\n"

    bool operator==(const Working&) const = default;

private:
    std::vector<WorkingBlock> blocks_;
};

// Columns a text takes in a fixed-width rendering: CJK and full-width
// characters two, others one. Ladders pad with it.
int displayWidth(std::string_view utf8);

}  // namespace kz
