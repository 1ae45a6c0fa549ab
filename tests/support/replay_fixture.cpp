#include "replay_fixture.h"

#include <algorithm>

#include "pluginsdk/game_wrapper.h"
#include "reference_panel.h"

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

std::vector<CanvasOp> expectedPanels(int count, const std::string& name,
                                     const ProfileCameraSettings& s) {
  std::vector<CanvasOp> all;
  const std::vector<CanvasOp> one = canvas::referencePanel(name, s);
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
  return static_cast<std::size_t>(
      std::count(world.calls().begin(), world.calls().end(), operation));
}

std::size_t PluginTest::wrappersLeft() const { return world.liveWrappers() - baseline_; }

}  // namespace quillmark::test
