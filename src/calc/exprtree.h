// The evaluator's own reading of one entry, kept when asked for: every
// operation with the operands it took and the value it computed. The bar's
// working is written from it, so the working can never read an entry
// differently from the evaluator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kz {

struct ExprNode {
    enum class Kind : std::uint8_t {
        Number,  // a number token: digits as typed, or pi / e
        Name,    // ans, rnd, a variable or a named constant
        Negate,  // unary minus
        Abs,
        Root,   // sr
        Group,  // parentheses
        Add,
        Subtract,
        Multiply,  // *
        Divide,
        Power,
        Juxtapose,  // implicit multiplication: 2(3+4), 2pi, 2 3
        Factorial,
        Assign,  // name = sum
    };
    Kind kind = Kind::Number;
    // Operands: indices of earlier nodes (an operand is always made before
    // the operation that takes it), -1 where there is none.
    std::int32_t left = -1;
    std::int32_t right = -1;
    double value = 0;    // what the evaluator computed for this node
    std::string text;    // Number: the token as typed; Name, Assign: the name in lower case
    bool closed = true;  // Group: its ")" was typed (one missing at the end is accepted)
};

struct ExprTree {
    // Readings larger than this are not kept: no pupil's working is that long.
    static constexpr std::size_t kMaxNodes = 512;

    std::vector<ExprNode> nodes;
    std::int32_t root = -1;
    // The evaluation succeeded and every node was kept.
    bool complete = false;
    // The answer as the bar shows it (the number text of the root's value).
    std::string answer;
};

}  // namespace kz
