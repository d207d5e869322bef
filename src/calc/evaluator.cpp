#include "calc/evaluator.h"

#include <chrono>
#include <cmath>
#include <exception>

namespace kz {

namespace {

// Arithmetic that never lets an infinity or NaN through: the result is either
// finite or the failure of its kind.
double checked(double r) {
    if (std::isnan(r)) fail(FailureKind::Invalid);
    if (std::isinf(r)) fail(FailureKind::Overflow);
    return r;
}

double divide(double a, double b) {
    if (b == 0) fail(FailureKind::DivisionByZero);  // 0/0 as well
    return checked(a / b);
}

double power(double base, double exponent) {
    double r = std::pow(base, exponent);
    if (std::isinf(r) && base == 0) fail(FailureKind::DivisionByZero);  // 0^-1
    return checked(r);
}

// Tokens that end an operand and are left for the caller.
bool endsOperand(TokenKind k) {
    switch (k) {
        case TokenKind::Minus:
        case TokenKind::Plus:
        case TokenKind::Star:
        case TokenKind::Slash:
        case TokenKind::End:
        case TokenKind::RightParen:
        case TokenKind::Equals: return true;
        default: return false;
    }
}

}  // namespace

std::string_view errorText(FailureKind kind) {
    switch (kind) {
        case FailureKind::Overflow: return kOverflowText;
        case FailureKind::DivisionByZero: return kDivisionByZeroText;
        default: return kGeneralErrorText;
    }
}

Evaluator::Evaluator(ConstantsLocator constants) : locator_(std::move(constants)) {
    // Seeded once, so numbers drawn in quick succession are still independent.
    std::uint64_t entropy[2] = {0, 0};
    try {
        std::random_device device;
        entropy[0] = device();
        entropy[1] = device();
    } catch (const std::exception&) {  // no entropy source: the clocks alone
    }
    auto now = [](auto clock) { return static_cast<std::uint64_t>(clock.time_since_epoch().count()); };
    std::seed_seq seed{entropy[0], entropy[1], now(std::chrono::steady_clock::now()),
                       now(std::chrono::system_clock::now())};
    random_.seed(seed);
}

std::string Evaluator::evaluate(std::string_view entry, std::string_view previousAnswerBoxText) {
    std::string_view shown = evaluateFirstLine(entry);
    if (!error_) return std::string(shown);
    std::string box;
    box.reserve(shown.size() + kAnswerLineBreak.size() + previousAnswerBoxText.size());
    box.append(shown).append(kAnswerLineBreak).append(previousAnswerBoxText);
    return box;
}

std::string_view Evaluator::evaluateFirstLine(std::string_view entry) {
    error_ = help_ = assigned_ = constantsRead_ = false;
    depth_ = 0;
    parse_.complete = keepParse_;  // until a node does not fit
    if (keepParse_) {
        parse_.nodes.clear();
        parse_.root = node_ = -1;
        parse_.answer.clear();
    }
    try {
        scanner_.setSource(entry);
        scanner_.readToken();
        const double v = sumLevel();
        if (!error_ && scanner_.kind() != TokenKind::End) raise(FailureKind::Invalid);
        if (!error_) {
            result_ = toNumberText(v);
            ans_ = result_.value;  // ans holds the displayed value
            if (keepParse_) {
                parse_.root = node_;
                parse_.answer = result_.view();
            }
            return result_.view();
        }
    } catch (const NumFailure& f) {  // the first token, or the result's text
        raise(f.kind());
    } catch (const std::exception&) {  // out of memory: still only an error text
        raise(FailureKind::Invalid);
    }
    parse_.complete = false;
    return errorText(errorKind_);
}

void Evaluator::raise(FailureKind kind) {
    errorKind_ = kind;
    error_ = true;
    scanner_.markError();
}

// A failure becomes an error, and its level returns 0, wherever the caller
// goes on computing with that 0: after the sum and product levels, the run of
// prefixes and the primary, the caller adds, multiplies or divides by it
// (which can raise an error of another kind, and the latest error is the one
// shown) or tests for ")" (which raises its own). The names and the postfix
// step are always the primary's last word, so their failures are its.

double Evaluator::sumLevel() {
    try {
        double v = productLevel();
        if (error_ || help_ || assigned_) return v;
        while (scanner_.kind() == TokenKind::Plus || scanner_.kind() == TokenKind::Minus) {
            bool add = scanner_.kind() == TokenKind::Plus;
            scanner_.readToken();
            const std::int32_t left = node_;
            double right = productLevel();
            v = checked(add ? v + right : v - right);
            note(add ? ExprNode::Kind::Add : ExprNode::Kind::Subtract, v, left, node_);
        }
        return v;
    } catch (const NumFailure& f) {
        raise(f.kind());
        return 0;
    }
}

double Evaluator::productLevel() {
    try {
        double v = factor();
        if (error_ || help_ || assigned_) return v;
        while (scanner_.kind() == TokenKind::Star || scanner_.kind() == TokenKind::Slash) {
            bool multiply = scanner_.kind() == TokenKind::Star;
            scanner_.readToken();
            const std::int32_t left = node_;
            double right = factor();
            v = multiply ? checked(v * right) : divide(v, right);
            note(multiply ? ExprNode::Kind::Multiply : ExprNode::Kind::Divide, v, left, node_);
        }
        return v;
    } catch (const NumFailure& f) {
        raise(f.kind());
        return 0;
    }
}

// Unary minus, abs and sr each take the whole following factor. A run of them
// is gathered in a loop and applied innermost first, so a long run needs no
// recursion.
double Evaluator::factor() {
    struct DepthGuard {
        int& d;
        ~DepthGuard() { --d; }
    } guard{++depth_};
    if (depth_ > kMaxDepth) {
        raise(FailureKind::Invalid);
        return 0;
    }
    const bool prefixed = scanner_.kind() == TokenKind::Minus ||
                          (scanner_.kind() == TokenKind::Name && (scanner_.name() == "abs" || scanner_.name() == "sr"));
    return prefixed ? prefixedFactor() : primary();
}

double Evaluator::prefixedFactor() {
    std::string prefixes;  // '-', 'a' (abs), 's' (sr), outermost first
    try {
        for (;;) {
            char op = '\0';
            if (scanner_.kind() == TokenKind::Minus) op = '-';
            else if (scanner_.kind() == TokenKind::Name && scanner_.name() == "abs") op = 'a';
            else if (scanner_.kind() == TokenKind::Name && scanner_.name() == "sr") op = 's';
            else break;
            prefixes.push_back(op);
            scanner_.readToken();
        }
    } catch (const NumFailure& f) {
        raise(f.kind());
        return 0;
    }
    double v = primary();
    for (auto it = prefixes.rbegin(); it != prefixes.rend(); ++it) {
        if (*it == '-') {
            v = -v;
            note(ExprNode::Kind::Negate, v, node_);
        } else if (error_) {
            v = 0;
        } else if (*it == 'a') {
            v = std::fabs(v);
            note(ExprNode::Kind::Abs, v, node_);
        } else if (v < 0) {
            raise(FailureKind::Invalid);  // sr of a negative number
            v = 0;
        } else {
            v = std::sqrt(v);
            note(ExprNode::Kind::Root, v, node_);
        }
    }
    return v;
}

double Evaluator::primary() {
    try {
        switch (scanner_.kind()) {
            case TokenKind::Number: {
                double v = scanner_.tokenValue();
                note(ExprNode::Kind::Number, v, -1, -1, scanner_.tokenText());
                scanner_.readToken();
                return postfix(v);
            }
            case TokenKind::LeftParen: {
                scanner_.readToken();
                double v = sumLevel();
                if (scanner_.kind() == TokenKind::RightParen) {
                    note(ExprNode::Kind::Group, v, node_);
                    scanner_.readToken();
                    return postfix(v);
                }
                if (scanner_.kind() == TokenKind::End) {  // a missing ")" at the end is accepted
                    note(ExprNode::Kind::Group, v, node_);
                    if (keepParse_ && node_ >= 0) parse_.nodes[static_cast<std::size_t>(node_)].closed = false;
                    return v;
                }
                raise(FailureKind::Invalid);
                return 0;
            }
            case TokenKind::Name: {
                std::string_view name = scanner_.name();
                if (name == "rnd" || name == "ans") {
                    double v = name == "rnd" ? random() : ans_;
                    note(ExprNode::Kind::Name, v, -1, -1, name);
                    scanner_.readToken();
                    return postfix(v);
                }
                if (name == "help") {
                    help_ = true;  // left unread, so the entry reports an error
                    return 0;
                }
                return named();
            }
            default:  // "=", an operator without operand, an unknown character, the end
                raise(FailureKind::Invalid);
                return 0;
        }
    } catch (const NumFailure& f) {
        raise(f.kind());
        return 0;
    }
}

// A variable or a named constant, used or assigned.
double Evaluator::named() {
    std::string name(scanner_.name());
    std::optional<double> value;
    bool isConstant = false;
    if (auto* var = variable(name)) {
        value = var->second;  // a variable hides a constant of the same name
    } else if ((value = constant(name))) {
        isConstant = true;
    }
    scanner_.readToken();
    if (scanner_.kind() != TokenKind::Equals) {
        if (!value) {
            raise(FailureKind::Invalid);
            return 0;
        }
        note(ExprNode::Kind::Name, *value, -1, -1, name);
        return postfix(*value);
    }
    scanner_.readToken();
    double v = sumLevel();
    note(ExprNode::Kind::Assign, v, node_, -1, name);
    if (!error_) {
        if (auto* var = variable(name)) {
            var->second = v;
        } else if (isConstant) {
            raise(FailureKind::Invalid);
            return 0;
        } else {
            variables_.emplace_back(std::move(name), v);
        }
    }
    assigned_ = true;
    return v;
}

// The postfix step after a complete operand: nothing when the token ends it.
double Evaluator::postfix(double v) { return endsOperand(scanner_.kind()) ? v : postfixStep(v); }

double Evaluator::postfixStep(double v) {
    TokenKind k = scanner_.kind();
    if (k == TokenKind::Bang) {
        std::int32_t n = toInt32(v);
        if (n != v || n < 0) {
            raise(FailureKind::Invalid);
            return 0;
        }
        if (n > 32767) fail(FailureKind::Overflow);
        double f = 1;
        for (std::int32_t i = n; i >= 1; --i) f = checked(f * i);
        note(ExprNode::Kind::Factorial, f, node_);
        scanner_.readToken();
        k = scanner_.kind();
        if (endsOperand(k)) return f;
        if (k == TokenKind::Bang) {
            raise(FailureKind::Invalid);
            return 0;
        }
        v = f;
    }
    const std::int32_t left = node_;
    if (k == TokenKind::Caret) {
        scanner_.readToken();
        double w = factor();  // a whole factor, so powers group from the right
        const double r = power(v, w);
        note(ExprNode::Kind::Power, r, left, node_);
        return r;
    }
    double w = factor();
    const double r = checked(v * w);  // implicit multiplication
    note(ExprNode::Kind::Juxtapose, r, left, node_);
    return r;
}

double Evaluator::random() {
    return static_cast<double>(random_() >> 11) * 0x1.0p-53;  // [0, 1)
}

std::optional<double> Evaluator::constant(std::string_view name) {
    if (!constantsRead_) {
        constantsRead_ = true;
        auto file = locator_.locate();
        if (!file || !constants_.reload(*file)) constants_.clear();
    }
    return constants_.find(name);
}

void Evaluator::note(ExprNode::Kind kind, double value, std::int32_t left, std::int32_t right, std::string_view text) {
    if (!keepParse_) return;
    if (parse_.nodes.size() >= ExprTree::kMaxNodes) {
        parse_.complete = false;
        node_ = -1;
        return;
    }
    ExprNode n;
    n.kind = kind;
    n.left = left;
    n.right = right;
    n.value = value;
    n.text = text;
    parse_.nodes.push_back(std::move(n));
    node_ = static_cast<std::int32_t>(parse_.nodes.size() - 1);
}

std::pair<std::string, double>* Evaluator::variable(std::string_view name) {
    for (auto& v : variables_)
        if (v.first == name) return &v;
    return nullptr;
}

}  // namespace kz
