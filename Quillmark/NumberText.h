// Number text of the settings panel: a float as printf's "%f" shows it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmark {

// Longest text formatFixed6 writes: "-" and 39 digits of FLT_MAX, ".", 6 digits.
inline constexpr std::size_t kMaxFixed6Length = 47;

// Writes `value`, widened to double, as "%f" prints it in the C locale: fixed
// notation, six decimals, "-" for a set sign bit (so -0.0 gives "-0.000000"),
// no exponent. Infinities give "inf" and "-inf", NaNs "nan" and "-nan" by
// their sign bit, as glibc prints them. Returns the length; `out` must hold
// kMaxFixed6Length bytes. No terminating NUL is written.
std::size_t formatFixed6(float value, char* out) noexcept;

// `label` followed by the number text of `value`, made with one allocation
// at most (none when it fits the string's own small buffer).
std::string labelledNumber(std::string_view label, float value);

}  // namespace quillmark
