// Heavy loops run in full only in optimised builds without sanitizers; Debug
// and sanitizer builds run a lighter share so the suite stays fast there.
#pragma once

namespace kz::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

#ifdef NDEBUG
inline constexpr bool kLight = kSanitized;
#else
inline constexpr bool kLight = true;
#endif

}  // namespace kz::test
