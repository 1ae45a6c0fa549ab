#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quillmark {
namespace {

// Below this magnitude, value * 10^6 is exact in a double: the float's 24
// significant bits times 15625's 14 (10^6 = 2^6 * 15625) fit in 53. Rounding
// that product to an integer in the default rounding mode (to nearest, ties
// to even) gives the six decimals exactly as printf rounds them.
constexpr float kExactScaleLimit = 16777216.0f;  // 2^24

std::size_t formatScaled(float value, char* out) noexcept {
  const double scaled = std::fabs(static_cast<double>(value)) * 1e6;
  auto micros = static_cast<std::uint64_t>(std::nearbyint(scaled));
  std::uint64_t whole = micros / 1000000;
  std::uint32_t fraction = static_cast<std::uint32_t>(micros % 1000000);

  // Digits go backwards into a scratch buffer, then forwards into `out`.
  char digits[32];
  char* cursor = digits + sizeof digits;
  for (int i = 0; i < 6; ++i) {
    *--cursor = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  *--cursor = '.';
  do {
    *--cursor = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  if (std::signbit(value)) *--cursor = '-';

  const auto length = static_cast<std::size_t>(digits + sizeof digits - cursor);
  std::memcpy(out, cursor, length);
  return length;
}

}  // namespace

std::size_t formatFixed6(float value, char* out) noexcept {
  if (std::fabs(value) < kExactScaleLimit) return formatScaled(value, out);
  // Large, infinite and NaN values take the library's exact path.
  const auto result = std::to_chars(out, out + kMaxFixed6Length, static_cast<double>(value),
                                    std::chars_format::fixed, 6);
  return static_cast<std::size_t>(result.ptr - out);
}

std::string labelledNumber(std::string_view label, float value) {
  char number[kMaxFixed6Length];
  const std::size_t length = formatFixed6(value, number);
  std::string text;
  text.reserve(label.size() + length);
  text.append(label).append(number, length);
  return text;
}

}  // namespace quillmark
