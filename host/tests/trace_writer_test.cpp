// Trace text: numbers that read back exactly, strings that stay valid JSON.

#include "trace_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

namespace quillmark::host {
namespace {

TEST(TraceWriter, FloatsReadBackToTheSameValue) {
  using limits = std::numeric_limits<float>;
  for (float value : {1.0f, 0.5f, 4.7f, 1.2f, -3.0f, 0.1f, -0.0f, limits::max(), limits::min(),
                      limits::denorm_min(), 16777217.0f, 1e-7f}) {
    const std::string text = jsonFloat(value);
    const float back = std::strtof(text.c_str(), nullptr);
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
    EXPECT_TRUE(nlohmann::json::parse(text).is_number()) << text;
  }
  EXPECT_EQ(jsonFloat(1.0f), "1");
  EXPECT_EQ(jsonFloat(4.7f), "4.7");
  EXPECT_EQ(jsonFloat(std::numeric_limits<float>::infinity()), "\"Infinity\"");
  EXPECT_EQ(jsonFloat(-std::numeric_limits<float>::infinity()), "\"-Infinity\"");
  EXPECT_EQ(jsonFloat(std::numeric_limits<float>::quiet_NaN()), "\"NaN\"");
}

TEST(TraceWriter, TextStaysValidJson) {
  struct Case {
    std::string bytes;
    std::string json;
  };
  const Case cases[] = {
      {"Ada", "\"Ada\""},
      {"Zoë 日本", "\"Zoë 日本\""},
      {"\"q\" \\ \n", "\"\\\"q\\\" \\\\ \\n\""},
      {std::string("a\0b", 3), "\"a\\u0000b\""},
      {"bad \xff end", "\"bad \xEF\xBF\xBD end\""},  // U+FFFD for the stray byte
      {"cut \xc3", "\"cut \xEF\xBF\xBD\""},
  };
  for (const Case& each : cases) {
    EXPECT_EQ(jsonText(each.bytes), each.json);
    EXPECT_TRUE(nlohmann::json::accept(jsonText(each.bytes)));
  }
}

TEST(TraceWriter, EachEntryIsOneLineInOrder) {
  RecordedFrame frame;
  frame.entries = {
      QueryCall{pluginsdk::host::Operation::GetCar}, canvas::CanvasOp{canvas::SetColor{1, 2, 3, 4}},
      canvas::CanvasOp{canvas::DrawRect{5, 6, -7, 8}}, canvas::CanvasOp{canvas::SetPosition{9, 10}},
      canvas::CanvasOp{canvas::DrawString{"x", 2.5f, 1, false, true}}};
  std::ostringstream withCalls;
  writeTraceFrame(withCalls, 4, frame, true);
  EXPECT_EQ(withCalls.str(),
            "[\"Frame\",4]\n"
            "[\"Call\",\"PriWrapper::GetCar\"]\n"
            "[\"SetColor\",1,2,3,4]\n"
            "[\"DrawRect\",[5,6],[-7,8]]\n"
            "[\"SetPosition\",[9,10]]\n"
            "[\"DrawString\",\"x\",2.5,1,false,true]\n");
  std::ostringstream withoutCalls;
  writeTraceFrame(withoutCalls, 0, frame, false);
  EXPECT_EQ(withoutCalls.str().find("Call"), std::string::npos);
}

}  // namespace
}  // namespace quillmark::host
