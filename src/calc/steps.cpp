#include "calc/steps.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "framework/numconv.h"

namespace kz {

namespace {

using Kind = ExprNode::Kind;

constexpr std::string_view kPi = "π";
constexpr std::string_view kRoot = "√";

// How tightly an operation binds, as the evaluator reads it; -1 for what
// takes no line of its own (numbers, names, and the minus sign, parentheses
// and assignments, which are done as soon as what they hold is).
int tier(Kind k) {
    switch (k) {
        case Kind::Add:
        case Kind::Subtract: return 0;
        case Kind::Multiply:
        case Kind::Divide: return 1;
        case Kind::Abs:
        case Kind::Root: return 2;
        case Kind::Power:
        case Kind::Juxtapose:
        case Kind::Factorial: return 3;
        default: return -1;
    }
}

int operandCount(Kind k) {
    switch (k) {
        case Kind::Number:
        case Kind::Name: return 0;
        case Kind::Negate:
        case Kind::Abs:
        case Kind::Root:
        case Kind::Group:
        case Kind::Factorial:
        case Kind::Assign: return 1;
        default: return 2;
    }
}

// Where a piece of a line stands: at the start of the line or of a pair of
// parentheses (a negative number needs none of its own there), as an operand,
// or beside the other factor of an implicit product (where parentheses
// around a lone number say that it is a product).
enum class Place { Lead, Operand, Beside };

bool isDigit(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

class Stepper {
public:
    explicit Stepper(const ExprTree& t) : t_(t), n_(t.nodes.size()) {}

    // False when the reading is not one tree of well-formed nodes.
    bool prepare() {
        if (t_.root < 0 || static_cast<std::size_t>(t_.root) >= n_) return false;
        reachable_.assign(n_, 0);
        scope_.assign(n_, -1);
        done_.assign(n_, 0);
        shown_.assign(n_, 0);
        inRootChain_.assign(n_, 0);
        reachable_[static_cast<std::size_t>(t_.root)] = 1;
        scope_[static_cast<std::size_t>(t_.root)] = t_.root;
        for (std::int32_t i = t_.root; i >= 0; --i) {
            const auto u = static_cast<std::size_t>(i);
            if (!reachable_[u]) continue;
            const ExprNode& node = t_.nodes[u];
            const int count = operandCount(node.kind);
            const std::int32_t operands[2] = {node.left, node.right};
            for (int k = 0; k < 2; ++k) {
                const std::int32_t c = operands[k];
                if (k >= count) {
                    if (c != -1) return false;
                    continue;
                }
                if (c < 0 || c >= i) return false;  // operands come before what takes them
                const auto cu = static_cast<std::size_t>(c);
                if (reachable_[cu]) return false;  // a tree: no operand taken twice
                reachable_[cu] = 1;
            }
        }
        // The assignments that make up the whole entry (x=y=2+3) lead its first line.
        expression_ = t_.root;
        while (t_.nodes[static_cast<std::size_t>(expression_)].kind == Kind::Assign) {
            inRootChain_[static_cast<std::size_t>(expression_)] = 1;
            lead_ += t_.nodes[static_cast<std::size_t>(expression_)].text;
            lead_ += sign::kEquals;
            expression_ = t_.nodes[static_cast<std::size_t>(expression_)].left;
        }
        // Each pair of parentheses (and of bars, and an assignment inside the
        // entry, written in parentheses) is worked on its own.
        for (std::int32_t i = t_.root; i >= 0; --i) {
            const auto u = static_cast<std::size_t>(i);
            if (!reachable_[u]) continue;
            const ExprNode& node = t_.nodes[u];
            const bool bounds =
                node.kind == Kind::Group || node.kind == Kind::Abs || (node.kind == Kind::Assign && !inRootChain_[u]);
            for (const std::int32_t c : {node.left, node.right})
                if (c >= 0) scope_[static_cast<std::size_t>(c)] = bounds ? i : scope_[u];
        }
        for (std::size_t u = 0; u < n_; ++u)
            if (reachable_[u] && (t_.nodes[u].kind == Kind::Number || t_.nodes[u].kind == Kind::Name)) done_[u] = 1;
        settle();
        return true;
    }

    const std::string& lead() const { return lead_; }
    bool finished() const { return done_[static_cast<std::size_t>(expression_)] != 0; }
    std::string line() const { return print(expression_, Place::Lead); }

    // The names take their values, where the values can be written exactly.
    void putInNames() {
        for (std::size_t u = 0; u < n_; ++u)
            if (reachable_[u] && t_.nodes[u].kind == Kind::Name) show(u);
    }

    // One line further; false when nothing was left to do.
    bool step() {
        std::vector<int> bestTier(n_, -1);
        std::vector<char> productsLeft(n_, 0);
        std::vector<std::int32_t> firstSum(n_, -1);
        for (std::size_t u = 0; u < n_; ++u) {
            const int k = pendingTier(u);
            if (k < 0) continue;
            const auto s = static_cast<std::size_t>(scope_[u]);
            if (k >= 1) productsLeft[s] = 1;
            if (!ready(u)) continue;
            if (k >= 1) bestTier[s] = std::max(bestTier[s], k);
            else if (firstSum[s] < 0) firstSum[s] = static_cast<std::int32_t>(u);  // made first: leftmost
        }
        std::vector<std::size_t> chosen;
        for (std::size_t u = 0; u < n_; ++u) {
            const int k = pendingTier(u);
            if (k < 1 || !ready(u)) continue;
            if (k == bestTier[static_cast<std::size_t>(scope_[u])]) chosen.push_back(u);
        }
        for (std::size_t s = 0; s < n_; ++s)
            if (firstSum[s] >= 0 && bestTier[s] < 0 && !productsLeft[s])
                chosen.push_back(static_cast<std::size_t>(firstSum[s]));
        for (std::size_t u : chosen) {
            done_[u] = 1;
            show(u);
        }
        settle();
        return !chosen.empty();
    }

private:
    const ExprNode& node(std::int32_t i) const { return t_.nodes[static_cast<std::size_t>(i)]; }

    int pendingTier(std::size_t u) const { return reachable_[u] && !done_[u] ? tier(t_.nodes[u].kind) : -1; }

    bool ready(std::size_t u) const {
        const ExprNode& n = t_.nodes[u];
        return (n.left < 0 || done_[static_cast<std::size_t>(n.left)]) &&
               (n.right < 0 || done_[static_cast<std::size_t>(n.right)]);
    }

    // A value is written only where its text reads back as that very value.
    void show(std::size_t u) {
        const NumberText text = toNumberText(t_.nodes[u].value);
        if (text.value == t_.nodes[u].value && text.view().find('E') == std::string_view::npos) shown_[u] = 1;
    }

    // Signs, parentheses and assignments are done with what they hold.
    void settle() {
        for (std::size_t u = 0; u < n_; ++u) {
            const ExprNode& n = t_.nodes[u];
            if (reachable_[u] && tier(n.kind) < 0 && n.left >= 0 && done_[static_cast<std::size_t>(n.left)])
                done_[u] = 1;
        }
    }

    bool shownNegative(std::int32_t i) const { return shown_[static_cast<std::size_t>(i)] && node(i).value < 0; }

    // Written as one number or name, whatever parentheses it came in.
    bool lone(std::int32_t i) const {
        const ExprNode& n = node(i);
        if (shown_[static_cast<std::size_t>(i)] || n.kind == Kind::Number || n.kind == Kind::Name) return true;
        return n.kind == Kind::Group && lone(n.left);
    }

    // Needs no parentheses after "√" or around an assignment's value.
    bool closedUp(std::int32_t i) const {
        if (shownNegative(i)) return false;
        if (shown_[static_cast<std::size_t>(i)]) return true;
        switch (node(i).kind) {
            case Kind::Number:
            case Kind::Name:
            case Kind::Group:
            case Kind::Abs:
            case Kind::Root: return true;
            default: return false;
        }
    }

    static std::string parenthesised(const std::string& s) { return "(" + s + ")"; }

    std::string print(std::int32_t i, Place place) const {
        const ExprNode& n = node(i);
        if (shown_[static_cast<std::size_t>(i)]) {
            std::string text(toNumberText(n.value).view());
            return n.value < 0 && place != Place::Lead ? parenthesised(text) : text;
        }
        const Place inner = place == Place::Lead ? Place::Lead : Place::Operand;
        switch (n.kind) {
            case Kind::Number: {
                std::string lower = n.text;
                for (char& c : lower)
                    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
                if (lower == "pi") return std::string(kPi);
                if (lower == "e") return lower;
                return n.text;
            }
            case Kind::Name: return n.text;
            case Kind::Negate: {
                std::string s = std::string(sign::kMinus) + print(n.left, Place::Operand);
                return place == Place::Lead ? s : parenthesised(s);
            }
            case Kind::Abs: {
                // The bars close it up: parentheses just inside them say nothing more.
                const std::int32_t inside = node(n.left).kind == Kind::Group ? node(n.left).left : n.left;
                return "|" + print(inside, Place::Lead) + "|";
            }
            case Kind::Root:
                return std::string(kRoot) +
                       (closedUp(n.left) ? print(n.left, Place::Operand) : parenthesised(print(n.left, Place::Lead)));
            case Kind::Group:
                // A negative number keeps its own parentheses where it needs them.
                if (lone(n.left) && place != Place::Beside) return print(n.left, place);
                return parenthesised(print(n.left, Place::Lead));
            case Kind::Assign:
                return closedUp(n.left) ? print(n.left, place) : parenthesised(print(n.left, Place::Lead));
            case Kind::Add:
            case Kind::Subtract:
            case Kind::Multiply:
            case Kind::Divide: {
                const std::string_view op = n.kind == Kind::Add        ? sign::kPlus
                                            : n.kind == Kind::Subtract ? sign::kMinus
                                            : n.kind == Kind::Multiply ? sign::kTimes
                                                                       : sign::kDivide;
                return print(n.left, inner) + std::string(op) + print(n.right, Place::Operand);
            }
            case Kind::Power: return print(n.left, Place::Operand) + "^" + print(n.right, Place::Operand);
            case Kind::Factorial: return print(n.left, Place::Operand) + "!";
            case Kind::Juxtapose: {
                const std::string left = print(n.left, Place::Beside);
                std::string right = print(n.right, Place::Beside);
                // Two numbers side by side would read as one: the second goes in
                // parentheses, as a pupil writes a product; two names get a space.
                if (left.empty() || right.empty()) return left + right;
                if (isDigit(left.back()) && isDigit(right.front())) return left + parenthesised(right);
                if (isLetter(left.back()) && isLetter(right.front())) return left + " " + right;
                return left + right;
            }
        }
        return {};
    }

    const ExprTree& t_;
    std::size_t n_;
    std::vector<char> reachable_, done_, shown_, inRootChain_;
    std::vector<std::int32_t> scope_;
    std::int32_t expression_ = -1;
    std::string lead_;
};

}  // namespace

Working calcWorking(const ExprTree& parse) {
    if (!parse.complete || parse.nodes.empty() || parse.nodes.size() > ExprTree::kMaxNodes) return {};
    Stepper s(parse);
    if (!s.prepare()) return {};
    std::string last = s.line();
    std::vector<std::string> lines{s.lead() + last};
    auto add = [&](std::string content) {
        if (content == last) return;  // a line that changed nothing on paper
        last = content;
        lines.push_back(std::move(content));
    };
    s.putInNames();
    add(s.line());
    while (!s.finished() && s.step())
        if (!s.finished()) add(s.line());
    add(parse.answer);
    return Working().steps(std::move(lines));
}

}  // namespace kz
