// Hostile names and settings, end to end: a scene file read by the real
// reader, the real module drawing it, and the real program's trace. The
// canvas must get exactly the reference panel's bytes (the name unchanged,
// numbers as "%f" prints them), and the trace must stay JSON Lines whatever
// the name holds.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "host_program.h"
#include "module_loader.h"
#include "plugin_session.h"
#include "recorded_frame.h"
#include "reference_panel.h"
#include "scene_reader.h"

namespace quillmark::host {
namespace {

using namespace std::string_literals;
using test::ProgramRun;
using test::runHost;
using test::scratchFile;
using ::testing::ElementsAreArray;

std::string hexBits(float value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", std::bit_cast<std::uint32_t>(value));
  return text;
}

// A scene whose one car is driven by the viewed player "v", every one of
// whose settings is `value`; the name goes in as bytes, as JSON text cannot
// hold bytes that are not UTF-8.
std::string sceneText(const std::string& name, float value) {
  nlohmann::json bytes = nlohmann::json::array();
  for (char c : name) bytes.push_back(static_cast<unsigned char>(c));
  nlohmann::json camera;
  for (const char* key :
       {"FOV", "Height", "Angle", "Distance", "Stiffness", "SwivelSpeed", "TransitionSpeed"}) {
    camera[key] = {{"bits", hexBits(value)}};
  }
  const nlohmann::json scene = {
      {"camera", {{"view_target", "v"}}},
      {"event", {{"cars", {{{"player", "v"}}}}}},
      {"players", {{"v", {{"name", bytes}, {"camera", camera}}}}},
  };
  return scene.dump();
}

ProfileCameraSettings allSettings(float value) {
  return {value, value, value, value, value, value, value};
}

// What the module draws for the scene, recorded in this process.
std::vector<canvas::CanvasOp> drawnInProcess(const std::string& text) {
  auto& world = pluginsdk::host::world();
  world.reset();
  world.scene = readScene(text, "bad-values.json").scene;
  const LoadedModule module(QUILLMARK_DEFAULT_PLUGIN);
  PluginSession session(module);
  const RecordedFrame frame = recordFrame();
  session.end();
  return frame.canvasOps();
}

// The texts of the DrawString lines of a trace; each line must be JSON.
std::vector<std::string> tracedTexts(const std::string& trace) {
  std::vector<std::string> texts;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    nlohmann::json entry;
    try {
      entry = nlohmann::json::parse(line);
    } catch (const nlohmann::json::exception& error) {
      ADD_FAILURE() << "trace line is not JSON: " << error.what();
      continue;
    }
    if (entry.at(0) == "DrawString") texts.push_back(entry.at(1).get<std::string>());
  }
  return texts;
}

std::vector<std::string> referenceTexts(const std::string& name, float value) {
  std::vector<std::string> texts;
  for (const canvas::CanvasOp& op : canvas::referencePanel(name, allSettings(value))) {
    if (const auto* line = std::get_if<canvas::DrawString>(&op)) texts.push_back(line->text);
  }
  return texts;
}

struct Hostile {
  const char* label;
  std::string name;
  float value;
  std::string tracedName;  // the name as the trace shows it
};

void PrintTo(const Hostile& hostile, std::ostream* out) { *out << hostile.label; }

class BadValues : public ::testing::TestWithParam<Hostile> {};

TEST_P(BadValues, CanvasGetsTheExactBytesAndTheTraceStaysJson) {
  const Hostile& hostile = GetParam();
  const std::string text = sceneText(hostile.name, hostile.value);

  EXPECT_THAT(drawnInProcess(text),
              ElementsAreArray(canvas::referencePanel(hostile.name, allSettings(hostile.value))));

  const ProgramRun run =
      runHost({"run", "--scene", scratchFile(std::string(hostile.label) + ".json", text)});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(tracedTexts(run.out),
              ElementsAreArray(referenceTexts(hostile.tracedName, hostile.value)));
}

using Float = std::numeric_limits<float>;
const std::string kLong(100000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Settings, BadValues,
    ::testing::Values(Hostile{"quiet_nan", "Ada", Float::quiet_NaN(), "Ada"},
                      Hostile{"signalling_nan", "Ada", std::bit_cast<float>(0x7fa00001u), "Ada"},
                      Hostile{"negative_nan", "Ada", -Float::quiet_NaN(), "Ada"},
                      Hostile{"infinity", "Ada", Float::infinity(), "Ada"},
                      Hostile{"negative_infinity", "Ada", -Float::infinity(), "Ada"},
                      Hostile{"zero", "Ada", 0.0f, "Ada"},
                      Hostile{"negative_zero", "Ada", -0.0f, "Ada"},
                      Hostile{"float_max", "Ada", Float::max(), "Ada"},
                      Hostile{"negative_float_max", "Ada", -Float::max(), "Ada"},
                      Hostile{"smallest_subnormal", "Ada", Float::denorm_min(), "Ada"}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Names, BadValues,
    ::testing::Values(Hostile{"empty", "", 1.0f, ""}, Hostile{"one_byte", "A", 1.0f, "A"},
                      Hostile{"long", kLong, 1.0f, kLong},
                      Hostile{"embedded_nul", "A\0B\0"s, 1.0f, "A\0B\0"s},
                      Hostile{"quotes_and_backslashes", R"("Ada" \n \\)", 1.0f, R"("Ada" \n \\)"},
                      Hostile{"control_characters", "\t\r\n\x1b[31m\x7f", 1.0f,
                              "\t\r\n\x1b[31m\x7f"},
                      Hostile{"non_ascii", "Åsa \xe2\x80\x94 \xf0\x9f\x9a\x97", 1.0f,
                              "Åsa \xe2\x80\x94 \xf0\x9f\x9a\x97"},
                      // Each maximal invalid part of the bytes shows as one U+FFFD.
                      Hostile{"invalid_utf8",
                              "A\xff"
                              "B\xe2\x82"
                              "C\xc0\xaf"
                              "D\xed\xa0\x80",
                              1.0f,
                              "A\xef\xbf\xbd"
                              "B\xef\xbf\xbd"
                              "C\xef\xbf\xbd\xef\xbf\xbd"
                              "D\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
                      Hostile{"truncated_at_end", "Ada\xf0\x9f\x9a", 1.0f, "Ada\xef\xbf\xbd"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace quillmark::host
