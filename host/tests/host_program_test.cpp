// The real quillmark-host program: its default trace against the approved
// one, every kind of bad input, info, and validate on good and broken modules.

#include "host_program.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace quillmark::host::test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

TEST(HostRun, DefaultSceneTraceMatchesTheApprovedOne) {
  const ProgramRun run = runHost({"run"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string approved =
      readNormalised(QUILLMARK_HOST_TESTS_DIR "/default-scene.trace.approved.jsonl");
  ASSERT_FALSE(approved.empty());
  if (run.out != approved) {
    scratchFile("default-scene.trace.received.jsonl", run.out);
    FAIL() << "the trace differs from default-scene.trace.approved.jsonl; received it in "
           << QUILLMARK_TEST_SCRATCH_DIR "/default-scene.trace.received.jsonl";
  }
}

TEST(HostRun, TraceFileHoldsEveryFrameAndCallsInTheirPlaces) {
  const std::string trace = std::string(QUILLMARK_TEST_SCRATCH_DIR) + "/three-frames.jsonl";
  const ProgramRun run = runHost({"run", "--frames", "3", "--calls", "--trace", trace});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "");  // a trace file, so nothing on standard output
  const std::vector<std::string> written = lines(readNormalised(trace));
  std::vector<std::string> frames;
  for (const std::string& line : written) {
    if (line.rfind("[\"Frame\"", 0) == 0) frames.push_back(line);
    EXPECT_TRUE(nlohmann::json::accept(line)) << line;
  }
  EXPECT_EQ(frames, (std::vector<std::string>{"[\"Frame\",0]", "[\"Frame\",1]", "[\"Frame\",2]"}));
  // The name query comes right before the string that shows the name.
  const auto name =
      std::find(written.begin(), written.end(), "[\"Call\",\"UnrealStringWrapper::ToString\"]");
  ASSERT_NE(name, written.end());
  EXPECT_EQ(*(name + 1), "[\"DrawString\",\"Player Settings: Ada\",1,1,true,false]");
}

TEST(HostRun, SceneFileChangesWhatIsDrawn) {
  const std::string scene = scratchFile("one-car.json", R"({
    "event": {"cars": [{"player": "zed"}]},
    "camera": {"view_target": "zed"},
    "players": {"zed": {"camera": {"FOV": 90, "SwivelSpeed": "NaN"}}}})");
  const ProgramRun run = runHost({"run", "--scene", scene});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("[\"DrawString\",\"Player Settings: zed\",1,1,true,false]"));
  EXPECT_THAT(run.out, HasSubstr("\"FOV: 90.000000\""));
  EXPECT_THAT(run.out, HasSubstr("\"Swivel Speed: nan\""));
  EXPECT_THAT(run.out, HasSubstr("\"Height: 0.000000\""));
  EXPECT_EQ(lines(run.out).size(), 1u + 20u);  // one panel
}

TEST(HostRun, PngIsWritten) {
  const std::string picture = std::string(QUILLMARK_TEST_SCRATCH_DIR) + "/picture.png";
  std::remove(picture.c_str());
  const ProgramRun run = runHost({"run", "--png", picture});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(readBytes(picture).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

struct BadScene {
  const char* file;
  const char* text;
  const char* where;  // key path or line:column the message must name
};

class HostRunBadScene : public ::testing::TestWithParam<BadScene> {};

TEST_P(HostRunBadScene, ExitsTwoNamingFileAndPlace) {
  const BadScene& bad = GetParam();
  const std::string path = scratchFile(bad.file, bad.text);
  const ProgramRun run = runHost({"run", "--scene", path});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_THAT(run.err, HasSubstr(path + bad.where)) << run.err;
  EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostRunBadScene,
    ::testing::Values(
        BadScene{"empty.json", "", ":1:1: not JSON"},
        BadScene{"truncated.json", "{\n  \"replay\": tru", ":2:16: not JSON"},
        BadScene{"trailing.json", "{}\n}", ":2:1: not JSON"},
        BadScene{"number-overflow.json", "{\n \"canvas\": [1e400, 1]}",
                 ":2:17: not JSON: number overflow parsing '1e400'"},
        BadScene{"odd-key.json", R"({"players": {"a\nb": {"nick": 1}}})",
                 ": players.\"a\\nb\".nick: unknown key"},
        BadScene{"top-array.json", "[]", ": (top level): expected an object"},
        BadScene{"unknown-top.json", R"({"replays": true})", ": replays: unknown key"},
        BadScene{"replay-type.json", R"({"replay": 1})", ": replay: expected a boolean"},
        BadScene{"camera-type.json", R"({"camera": []})", ": camera: expected an object or null"},
        BadScene{"camera-key.json", R"({"camera": {"target": "ada"}})",
                 ": camera.target: unknown key"},
        BadScene{"view-target-type.json", R"({"camera": {"view_target": 3}})",
                 ": camera.view_target: expected a player id or null"},
        BadScene{"event-type.json", R"({"event": true})", ": event: expected an object or null"},
        BadScene{"cars-type.json", R"({"event": {"cars": {}}})", ": event.cars: expected an array"},
        BadScene{"car-type.json", R"({"event": {"cars": [null, 7]}})",
                 ": event.cars[1]: expected an object or null"},
        BadScene{"car-key.json", R"({"event": {"cars": [{"driver": "ada"}]}})",
                 ": event.cars[0].driver: unknown key"},
        BadScene{"car-nobody.json", R"({"event": {"cars": [{"player": "zed"}]}})",
                 ": event.cars[0].player: names no entry of players"},
        BadScene{"default-cars-nobody.json", R"({"players": {"zed": {}}})",
                 ": event (from the default scene).cars[0].player: names no entry of players"},
        BadScene{"players-type.json", R"({"players": []})", ": players: expected an object"},
        BadScene{"player-type.json", R"({"players": {"ada": 1}})",
                 ": players.ada: expected an object"},
        BadScene{"player-key.json", R"({"players": {"ada": {"nick": "A"}}})",
                 ": players.ada.nick: unknown key"},
        BadScene{"name-type.json", R"({"players": {"ada": {"name": 5}}})",
                 ": players.ada.name: expected a string"},
        BadScene{"car-flag-type.json", R"({"players": {"ada": {"car": "yes"}}})",
                 ": players.ada.car: expected a boolean"},
        BadScene{"setting-key.json", R"({"players": {"ada": {"camera": {"fov": 1}}}})",
                 ": players.ada.camera.fov: unknown key"},
        BadScene{"setting-type.json", R"({"players": {"ada": {"camera": {"FOV": true}}}})",
                 ": players.ada.camera.FOV: expected a number"},
        BadScene{"setting-word.json", R"({"players": {"ada": {"camera": {"FOV": "wide"}}}})",
                 ": players.ada.camera.FOV: expected a number"},
        BadScene{"setting-range.json", R"({"players": {"ada": {"camera": {"FOV": 1e39}}}})",
                 ": players.ada.camera.FOV: number out of the range of a float"},
        BadScene{"setting-halfway.json",
                 R"({"players": {"ada": {"camera": {"FOV": 3.4028235677973366e38}}}})",
                 ": players.ada.camera.FOV: number out of the range of a float"},
        BadScene{"setting-bits.json",
                 R"({"players": {"ada": {"camera": {"FOV": {"bits": "0x7fa0"}}}}})",
                 ": players.ada.camera.FOV.bits: expected \"0x\" and 8 hex digits"},
        BadScene{"setting-bits-key.json",
                 R"({"players": {"ada": {"camera": {"FOV": {"value": 1}}}}})",
                 ": players.ada.camera.FOV.value: unknown key"},
        BadScene{"name-byte.json", R"({"players": {"ada": {"name": [65, 256]}}})",
                 ": players.ada.name[1]: must be between 0 and 255"},
        BadScene{"name-byte-type.json", R"({"players": {"ada": {"name": [65, "B"]}}})",
                 ": players.ada.name[1]: expected an integer"},
        BadScene{"canvas-type.json", R"({"canvas": [1920]})", ": canvas: expected an array"},
        BadScene{"canvas-size.json", R"({"canvas": [1920, 0]})", ": canvas[1]: must be between"},
        BadScene{"canvas-fraction.json", R"({"canvas": [19.5, 10]})",
                 ": canvas[0]: expected an integer"}),
    [](const auto& info) {
      std::string name = info.param.file;
      name = name.substr(0, name.find('.'));
      for (char& c : name) c = c == '-' ? '_' : c;
      return name;
    });

struct BadPath {
  const char* name;
  std::string path;
  const char* says;
};

class HostBadPlugin : public ::testing::TestWithParam<BadPath> {};

TEST_P(HostBadPlugin, RunExitsTwoNamingTheModule) {
  const BadPath& bad = GetParam();
  const ProgramRun run = runHost({"run", "--plugin", bad.path});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_THAT(run.err, HasSubstr(bad.path + ": " + bad.says)) << run.err;
  EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostBadPlugin,
    ::testing::Values(
        BadPath{"Missing", QUILLMARK_TEST_SCRATCH_DIR "/no-such.so", "no such plugin module"},
        BadPath{"Directory", QUILLMARK_TEST_SCRATCH_DIR, "is a directory"},
        BadPath{"NotAModule", QUILLMARK_HOST_TESTS_DIR "/CMakeLists.txt", "not a loadable module"},
        BadPath{"NoExports", QUILLMARK_BROKEN_NO_EXPORTS, "module has no `exports` descriptor"},
        BadPath{"WrongApiBuild", QUILLMARK_BROKEN_WRONG_API_BUILD,
                "module is for plugin API build 94, this host speaks build 95"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostRun, MissingSceneFileAndBadArgumentsExitTwo) {
  const std::string missing = QUILLMARK_TEST_SCRATCH_DIR "/absent.json";
  const ProgramRun noScene = runHost({"run", "--scene", missing});
  EXPECT_EQ(noScene.exitStatus, 2);
  EXPECT_THAT(noScene.err, HasSubstr(missing + ": no such scene file"));
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"run", "--frames", "x"},
        {"run", "--frames", "0"},
        {"run", "--bogus"},
        {"run", "--scene"},
        {"launch"},
        {}}) {
    EXPECT_EQ(runHost(arguments).exitStatus, 2);
  }
}

TEST(HostInfo, PrintsTheDescriptorAsOneObject) {
  const ProgramRun run = runHost({"info"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  ASSERT_EQ(lines(run.out).size(), 1u);
  const nlohmann::json info = nlohmann::json::parse(run.out);
  EXPECT_EQ(info["apiBuild"], 95);
  EXPECT_EQ(info["pluginClass"], "Quillmark");
  EXPECT_EQ(info["displayName"], "Quillmark");
  EXPECT_EQ(info["typeFlags"], 16);
  EXPECT_THAT(info["sourceFileName"].get<std::string>(), EndsWith("Quillmark.cpp"));
  EXPECT_THAT(info["versionText"].get<std::string>(), ::testing::MatchesRegex("[0-9.]+"));
  EXPECT_EQ(info.size(), 6u);
}

TEST(HostValidate, PassesOnOurModule) {
  const ProgramRun run = runHost({"validate", "--seed", "7"});
  EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
  const std::vector<std::string> printed = lines(run.out);
  ASSERT_EQ(printed.size(), 6u) << run.out;
  for (std::size_t i = 0; i < 5; ++i) EXPECT_THAT(printed[i], EndsWith(": passed"));
  EXPECT_EQ(printed.back(), "5 passed, 0 failed");
}

TEST(HostValidate, JsonReportsTheSame) {
  const ProgramRun run =
      runHost({"validate", "--json", "--plugin", QUILLMARK_BROKEN_LEAKS_WRAPPER});
  EXPECT_EQ(run.exitStatus, 1);
  const nlohmann::json report = nlohmann::json::parse(run.out);
  EXPECT_EQ(report["checks"].size(), 5u);
  EXPECT_EQ(report["passed"].get<int>() + report["failed"].get<int>(), 5);
  EXPECT_GE(report["failed"].get<int>(), 1);
  EXPECT_EQ(report["checks"][1]["name"], "create-delete");
  EXPECT_EQ(report["checks"][1]["result"], "failed");
  EXPECT_THAT(report["checks"][1]["reproduce"].get<std::string>(),
              HasSubstr("--check create-delete"));
}

struct BrokenModule {
  const char* name;
  const char* path;
  const char* line;  // the report line it must print for the check that catches it
  std::vector<std::string> extra;
};

class HostValidateBroken : public ::testing::TestWithParam<BrokenModule> {};

TEST_P(HostValidateBroken, FailsNamingTheCheckAndHowToReproduce) {
  const BrokenModule& broken = GetParam();
  std::vector<std::string> arguments = {"validate", "--seed", "3", "--plugin", broken.path};
  arguments.insert(arguments.end(), broken.extra.begin(), broken.extra.end());
  const ProgramRun run = runHost(arguments);
  EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
  EXPECT_THAT("\n" + run.out, HasSubstr("\n" + std::string(broken.line))) << run.out;
  EXPECT_THAT(run.out, HasSubstr("  reproduce: "));
  EXPECT_THAT(run.out, HasSubstr(std::string("--plugin '") + broken.path + "' --seed 3 --check"));
  EXPECT_THAT(lines(run.out).back(), ::testing::MatchesRegex("[0-9] passed, [1-9] failed"));
  EXPECT_THAT(lines(run.out).back(), Not(HasSubstr(" 0 failed")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostValidateBroken,
    ::testing::Values(
        BrokenModule{"LeaksWrapper",
                     QUILLMARK_BROKEN_LEAKS_WRAPPER,
                     "create-delete: failed: after create/delete cycle 1: 1 wrapper(s) still alive",
                     {}},
        BrokenModule{"SwallowsFault",
                     QUILLMARK_BROKEN_SWALLOWS_FAULT,
                     "faults: failed: fault at call 1 (GameWrapper::IsInReplay): the fault did "
                     "not reach the host",
                     {}},
        BrokenModule{"CrashesInDraw",
                     QUILLMARK_BROKEN_CRASHES_IN_DRAW,
                     "create-delete: crashed: the child process died of signal",
                     {}},
        BrokenModule{"HangsInDraw",
                     QUILLMARK_BROKEN_HANGS_IN_DRAW,
                     "scenes: timed out: no result within 1 s",
                     {"--check", "scenes", "--time-limit", "1"}},
        BrokenModule{"WrongApiBuild",
                     QUILLMARK_BROKEN_WRONG_API_BUILD,
                     "descriptor: failed: apiBuild is 94, this host speaks 95",
                     {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmark::host::test
