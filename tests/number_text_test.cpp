// Number text equals what snprintf's "%f" prints for the widened float.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "NumberText.h"
#include "replay_fixture.h"

namespace quillmark::test {
namespace {

std::string formatted(float value) {
  char text[kMaxFixed6Length];
  return std::string(text, formatFixed6(value, text));
}

TEST(NumberTextTest, MatchesPrintfAtTheEdges) {
  const float cases[] = {
      0.0f,
      -0.0f,
      110.0f,
      0.35f,
      -2.5f,
      0.45f,
      4.7f,
      1.2f,
      -3.0f,
      1e-7f,
      -1e-7f,
      4.9999995e-7f,
      5e-7f,
      5.000001e-7f,
      1.5e-6f,
      2.5e-6f,
      -2.5e-6f,
      0.1234565f,
      999999.9f,
      16777215.0f,
      16777216.0f,
      -16777216.0f,
      16777218.0f,
      1e20f,
      -1e30f,
      FLT_MAX,
      -FLT_MAX,
      FLT_MIN,
      std::numeric_limits<float>::denorm_min(),
      -std::numeric_limits<float>::denorm_min(),
      std::numeric_limits<float>::infinity(),
      -std::numeric_limits<float>::infinity(),
  };
  for (float value : cases) EXPECT_EQ(formatted(value), printfFixed(value)) << value;

  // Whole parts on either side of each digit count, and roundings that carry
  // into a new digit (9.9999999f shows as 10.000000).
  const float digitCounts[] = {9.0f,       10.0f,        99.0f,     100.0f,     999.0f,
                               1000.0f,    99999.0f,     100000.0f, 9999999.0f, 10000000.0f,
                               9.9999999f, -99.9999995f, 0.9999996f};
  for (float value : digitCounts) EXPECT_EQ(formatted(value), printfFixed(value)) << value;
}

TEST(NumberTextTest, NonFiniteValuesPrintAsGlibcDoes) {
  EXPECT_EQ(formatted(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(formatted(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(formatted(std::numeric_limits<float>::quiet_NaN()), "nan");
  EXPECT_EQ(formatted(-std::numeric_limits<float>::quiet_NaN()), "-nan");
  EXPECT_EQ(formatted(std::numeric_limits<float>::signaling_NaN()), "nan");
}

TEST(NumberTextTest, LongestTextFitsTheBuffer) {
  EXPECT_EQ(formatted(-FLT_MAX).size(), kMaxFixed6Length);
}

// Random bit patterns over every magnitude, plus random values near the
// halfway points of the sixth decimal, where rounding goes wrong first.
TEST(NumberTextTest, MatchesPrintfForRandomFloats) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_int_distribution<std::int64_t> micros(-20'000'000'000'000, 20'000'000'000'000);
  for (int i = 0; i < 200'000; ++i) {
    const float any = std::bit_cast<float>(bits(random));
    if (!std::isnan(any)) {
      ASSERT_EQ(formatted(any), printfFixed(any)) << std::hexfloat << any;
    }
    const float nearHalf = static_cast<float>((static_cast<double>(micros(random)) + 0.5) / 1e6);
    ASSERT_EQ(formatted(nearHalf), printfFixed(nearHalf)) << std::hexfloat << nearHalf;
  }
}

TEST(NumberTextTest, LabelGoesDirectlyInFront) {
  EXPECT_EQ(labelledNumber("FOV: ", 110.0f), "FOV: 110.000000");
  EXPECT_EQ(labelledNumber("", -0.35f), "-0.350000");
}

}  // namespace
}  // namespace quillmark::test
