#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace quillmark {
namespace {

// Below this magnitude, value * 10^6 is exact in a double: the float's 24
// significant bits times 15625's 14 (10^6 = 2^6 * 15625) fit in 53. Rounding
// that product to an integer in the default rounding mode (to nearest, ties
// to even) gives the six decimals exactly as printf rounds them.
constexpr float kExactScaleLimit = 16777216.0f;  // 2^24

// The double rounded to an integer in the current rounding mode, as
// nearbyint rounds it; `scaled` is below 2^53. On x86-64 that is one
// instruction (cvtsd2si rounds as the SSE control register says, which
// fesetround sets along with the x87 one); elsewhere adding and subtracting
// 2^52 rounds the same way without a library call.
std::uint64_t roundToInteger(double scaled) noexcept {
#if defined(__x86_64__) || defined(_M_X64)
  return static_cast<std::uint64_t>(_mm_cvtsd_si64(_mm_set_sd(scaled)));
#else
  constexpr double kRoundingBias = 4503599627370496.0;  // 2^52
  return static_cast<std::uint64_t>((scaled + kRoundingBias) - kRoundingBias);
#endif
}

// "00" to "99": two digits are written at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void writePair(char* out, std::uint32_t pair) noexcept {
  std::memcpy(out, kDigitPairs + 2 * pair, 2);
}

// Decimal digits of a whole part below 2^24: 1 to 8.
int digitCount(std::uint32_t whole) noexcept {
  return 1 + (whole >= 10) + (whole >= 100) + (whole >= 1000) + (whole >= 10000) +
         (whole >= 100000) + (whole >= 1000000) + (whole >= 10000000);
}

std::size_t formatScaled(float value, char* out) noexcept {
  const double scaled = std::fabs(static_cast<double>(value)) * 1e6;
  const std::uint64_t micros = roundToInteger(scaled);
  std::uint32_t whole = static_cast<std::uint32_t>(micros / 1000000);
  const auto fraction = static_cast<std::uint32_t>(micros % 1000000);

  char* cursor = out;
  if (std::signbit(value)) *cursor++ = '-';
  // The whole part goes backwards from its last digit.
  char* const point = cursor + digitCount(whole);
  char* digit = point;
  while (whole >= 100) {
    digit -= 2;
    writePair(digit, whole % 100);
    whole /= 100;
  }
  if (whole >= 10) {
    writePair(digit - 2, whole);
  } else {
    digit[-1] = static_cast<char>('0' + whole);
  }
  point[0] = '.';
  writePair(point + 1, fraction / 10000);
  writePair(point + 3, fraction / 100 % 100);
  writePair(point + 5, fraction % 100);
  return static_cast<std::size_t>(point + 7 - out);
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
  // Label and number meet in one buffer, so the string is made by one copy.
  constexpr std::size_t kBufferSize = 96;
  if (label.size() <= kBufferSize - kMaxFixed6Length) {
    char text[kBufferSize];
    std::memcpy(text, label.data(), label.size());
    const std::size_t length = label.size() + formatFixed6(value, text + label.size());
    return std::string(text, length);
  }
  char number[kMaxFixed6Length];
  const std::size_t length = formatFixed6(value, number);
  std::string text;
  text.reserve(label.size() + length);
  text.append(label).append(number, length);
  return text;
}

}  // namespace quillmark
