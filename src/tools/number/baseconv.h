// Base conversion: a decimal whole number in binary, octal or hexadecimal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/outcome.h"
#include "framework/windowmodel.h"

namespace kz {

inline constexpr std::string_view kBaseBinary = "二进制";
inline constexpr std::string_view kBaseOctal = "八进制";
inline constexpr std::string_view kBaseHex = "十六进制";

// Octal and hexadecimal digits of the 32 bits of `n` (two's complement for a
// negative), upper case, no leading zeros.
std::string bitsInBase(std::int32_t n, unsigned base);

// Text1 in the base named by the Combo1 entry; sets Text2. No entry: nothing.
Outcome baseConvert(std::string_view text1, std::string_view baseEntry);

std::unique_ptr<WindowModel> makeBaseConvWindow();  // Form14

}  // namespace kz
