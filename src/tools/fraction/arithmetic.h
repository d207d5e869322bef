// The four operations on two fractions of whole numbers (Form3).
#pragma once

#include <memory>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kZeroDenominatorText = "分母不得为零！";
inline constexpr std::string_view kChooseOperatorText = "请选择运算符号！";
inline constexpr std::string_view kZeroDivisorText = "除数不能为零！";

enum class FractionOp { None, Add, Subtract, Multiply, Divide };

// Reads a/b and c/d from the boxes Text1..Text4 (each rewritten as the
// 16-bit integer it read as), computes and reduces, and sets Text6 then
// Text5. A rejection or failure ends the calculation with one message;
// the result boxes are then absent from the outcome.
Outcome fractionArithmetic(std::string_view a, std::string_view b, std::string_view c, std::string_view d,
                           FractionOp op);

std::unique_ptr<WindowModel> makeFractionArithmeticWindow();  // Form3

}  // namespace kz
