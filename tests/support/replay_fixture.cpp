#include "replay_fixture.h"

#include <algorithm>
#include <cstdio>

#include "pluginsdk/game_wrapper.h"

namespace quillmark::test {

pluginsdk::host::Scene replayScene(int cars, ProfileCameraSettings settings, std::string name) {
  pluginsdk::host::Scene scene;
  scene.inReplay = true;
  scene.camera = pluginsdk::host::Camera{kAda};
  scene.players[kAda] = {std::move(name), settings, true};
  scene.event.emplace();
  for (int i = 0; i < cars; ++i) {
    const std::uint64_t driver = 0x200 + static_cast<std::uint64_t>(i);
    scene.players[driver] = {"Driver " + std::to_string(i), {}, true};
    scene.event->cars.push_back(pluginsdk::host::Car{driver});
  }
  return scene;
}

std::string printfFixed(float value) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return std::string(text, static_cast<std::size_t>(length));
}

std::vector<CanvasOp> expectedPanel(const std::string& name, const ProfileCameraSettings& s) {
  auto text = [](std::string value) { return canvas::DrawString{std::move(value), 1, 1, true, false}; };
  return {
      canvas::SetColor{0, 0, 0, 30},
      canvas::DrawRect{5, 190, 255, 365},
      canvas::SetColor{225, 225, 225, 255},
      canvas::SetPosition{15, 200},
      text("Player Settings: " + name),
      canvas::SetPosition{15, 220},
      text("FOV: " + printfFixed(s.FOV)),
      canvas::SetPosition{15, 240},
      text("Distance: " + printfFixed(s.Distance)),
      canvas::SetPosition{15, 260},
      text("Height: " + printfFixed(s.Height)),
      canvas::SetPosition{15, 280},
      text("Angle: " + printfFixed(s.Angle)),
      canvas::SetPosition{15, 300},
      text("Stiffness: " + printfFixed(s.Stiffness)),
      canvas::SetPosition{15, 320},
      text("Swivel Speed: " + printfFixed(s.SwivelSpeed)),
      canvas::SetPosition{15, 340},
      text("Transition Speed: " + printfFixed(s.TransitionSpeed)),
      canvas::SetPosition{15, 360},
  };
}

std::vector<CanvasOp> expectedPanels(int count, const std::string& name,
                                     const ProfileCameraSettings& s) {
  std::vector<CanvasOp> all;
  const std::vector<CanvasOp> one = expectedPanel(name, s);
  for (int i = 0; i < count; ++i) all.insert(all.end(), one.begin(), one.end());
  return all;
}

void PluginTest::SetUp() {
  world.reset();
  plugin.gameHandle = std::make_shared<GameWrapper>();
  plugin.managerHandle = manager;
  baseline_ = world.liveWrappers();
  outOfOrderBaseline_ = world.outOfOrderReleases();
}

void PluginTest::TearDown() {
  EXPECT_EQ(world.outOfOrderReleases(), outOfOrderBaseline_) << "wrappers released out of order";
  world.reset();
}

std::vector<CanvasOp> PluginTest::drawPass() {
  canvas::RecordingCanvas canvas;
  world.clearCalls();
  plugin.renderSettings(CanvasWrapper(canvas));
  return canvas.ops;
}

std::vector<std::string> PluginTest::callNames() const {
  std::vector<std::string> names;
  for (Operation operation : world.calls())
    names.emplace_back(pluginsdk::host::operationName(operation));
  return names;
}

std::size_t PluginTest::callsOf(Operation operation) const {
  return static_cast<std::size_t>(std::count(world.calls().begin(), world.calls().end(), operation));
}

std::size_t PluginTest::wrappersLeft() const { return world.liveWrappers() - baseline_; }

}  // namespace quillmark::test
