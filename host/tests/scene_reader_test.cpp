// The scene reader: what each part of a scene file becomes in the world.

#include "scene_reader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

namespace quillmark::host {
namespace {

using pluginsdk::host::Scene;

Scene read(const char* text) { return readScene(text, "test.json").scene; }

std::uint64_t handleNamed(const Scene& scene, const std::string& name) {
  for (const auto& [handle, player] : scene.players) {
    if (player.name == name) return handle;
  }
  return 0;
}

TEST(SceneReader, DefaultSceneIsAThreeVersusThreeReplayViewingAda) {
  const SceneFile file = defaultScene();
  const Scene& scene = file.scene;
  EXPECT_TRUE(scene.inReplay);
  ASSERT_TRUE(scene.camera && scene.event);
  EXPECT_EQ(scene.players.size(), 6u);
  EXPECT_EQ(scene.event->cars.size(), 6u);
  const auto ada = scene.players.find(scene.camera->viewTarget);
  ASSERT_NE(ada, scene.players.end());
  EXPECT_EQ(ada->second.name, "Ada");
  const ProfileCameraSettings& s = ada->second.camera;
  EXPECT_EQ(s.FOV, 110.0f);
  EXPECT_EQ(s.Height, 100.0f);
  EXPECT_EQ(s.Angle, -3.0f);
  EXPECT_EQ(s.Distance, 270.0f);
  EXPECT_EQ(s.Stiffness, 0.5f);
  EXPECT_EQ(s.SwivelSpeed, 4.7f);
  EXPECT_EQ(s.TransitionSpeed, 1.2f);
  EXPECT_EQ(file.canvasWidth, 1920);
  EXPECT_EQ(file.canvasHeight, 1080);
  for (const auto& [handle, player] : scene.players) {
    EXPECT_NE(handle, 0u);
    EXPECT_LT(handle, std::uint64_t{1} << 56);
  }
}

TEST(SceneReader, NullsAndAbsencesBecomeTheNullLinks) {
  const Scene scene = read(R"({
    "replay": false, "camera": null, "event": {"cars": [null, {"player": null}, {}]},
    "players": {"p": {"car": false}}, "canvas": [640, 480]})");
  EXPECT_FALSE(scene.inReplay);
  EXPECT_FALSE(scene.camera);
  ASSERT_TRUE(scene.event);
  ASSERT_EQ(scene.event->cars.size(), 3u);
  EXPECT_FALSE(scene.event->cars[0]);
  for (int i : {1, 2}) {
    ASSERT_TRUE(scene.event->cars[i]);
    EXPECT_EQ(scene.players.count(scene.event->cars[i]->pri), 0u);
  }
  ASSERT_EQ(scene.players.size(), 1u);
  const auto& player = scene.players.begin()->second;
  EXPECT_EQ(player.name, "p");  // an absent name is the id
  EXPECT_FALSE(player.hasCar);
  EXPECT_EQ(player.camera.FOV, 0.0f);  // an absent setting is 0
  EXPECT_FALSE(read(R"({"event": null})").event);
}

TEST(SceneReader, ViewTargetNamingNoPlayerHasANullPlayer) {
  for (const char* text : {R"({"camera": {"view_target": "nobody"}})",
                           R"({"camera": {"view_target": null}})", R"({"camera": {}})"}) {
    const Scene scene = read(text);
    ASSERT_TRUE(scene.camera) << text;
    EXPECT_EQ(scene.players.count(scene.camera->viewTarget), 0u) << text;
  }
}

TEST(SceneReader, CarsNameTheirPlayersAndSettingsTakeSpecialValues) {
  const Scene scene = read(R"({
    "camera": {"view_target": "b"},
    "event": {"cars": [{"player": "b"}, {"player": "a"}]},
    "players": {"a": {"name": "Ann"}, "b": {"name": "Bob",
      "camera": {"FOV": "Infinity", "Height": "-Infinity", "Angle": "NaN", "Stiffness": 1e-45}}}})");
  const std::uint64_t bob = handleNamed(scene, "Bob");
  EXPECT_EQ(scene.camera->viewTarget, bob);
  EXPECT_EQ(scene.event->cars[0]->pri, bob);
  EXPECT_EQ(scene.event->cars[1]->pri, handleNamed(scene, "Ann"));
  const ProfileCameraSettings& s = scene.players.at(bob).camera;
  EXPECT_TRUE(std::isinf(s.FOV) && s.FOV > 0);
  EXPECT_TRUE(std::isinf(s.Height) && s.Height < 0);
  EXPECT_TRUE(std::isnan(s.Angle));
  EXPECT_EQ(s.Stiffness, std::numeric_limits<float>::denorm_min());
}

TEST(SceneReader, SettingsMayBeAnyFloat) {
  struct Case {
    const char* written;
    std::uint32_t bits;
  };
  const Case cases[] = {
      {"-0.0", 0x80000000},
      {"0", 0x00000000},
      {"3.4028235e38", 0x7f7fffff},            // the shortest text of FLT_MAX
      {"-3.4028235677973362e38", 0xff7fffff},  // just under halfway to 2^128
      {"1.401298464324817e-45", 0x00000001},
      {"\"-NaN\"", 0xffc00000},
      {R"({"bits": "0x7fa00001"})", 0x7fa00001},  // a signalling NaN with a payload
      {R"({"bits": "0xFF800000"})", 0xff800000},
  };
  for (const Case& c : cases) {
    const std::string text =
        std::string(R"({"event": null, "players": {"ada": {"camera": {"FOV": )") + c.written +
        "}}}}";
    const Scene scene = read(text.c_str());
    EXPECT_EQ(std::bit_cast<std::uint32_t>(scene.players.begin()->second.camera.FOV), c.bits)
        << c.written;
  }
}

TEST(SceneReader, NamesMayBeGivenAsBytes) {
  const Scene scene = read(R"({"event": null, "players": {
    "a": {"name": [65, 0, 255, 34, 92]}, "b": {"name": "x\u0000y"}, "c": {"name": []}}})");
  std::vector<std::string> names;
  for (const auto& [handle, player] : scene.players) names.push_back(player.name);
  using namespace std::string_literals;
  EXPECT_EQ(names, (std::vector<std::string>{"A\0\xff\"\\"s, "x\0y"s, ""s}));
}

TEST(SceneReader, ErrorsNameTheGivenName) {
  try {
    readScene("{\"replay\": 2}", "my scene");
    FAIL() << "no error";
  } catch (const SceneError& error) {
    EXPECT_STREQ(error.what(), "my scene: replay: expected a boolean, got a number");
  }
}

}  // namespace
}  // namespace quillmark::host
