#include "bench_world.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <utility>

#include "pluginsdk/game_wrapper.h"

namespace quillmark::bench {

void showScene(int cars) {
  pluginsdk::host::World& world = pluginsdk::host::world();
  world.reset();
  world.setLogging(false);
  pluginsdk::host::Scene& scene = world.scene;
  scene.inReplay = cars > 0;
  scene.camera = pluginsdk::host::Camera{kViewedPlayer};
  scene.players[kViewedPlayer] = {kDefaultName, kDefaultSettings, true};
  scene.event.emplace();
  for (int i = 0; i < cars; ++i) {
    const std::uint64_t driver = 0x200 + static_cast<std::uint64_t>(i);
    scene.players[driver] = {"Driver " + std::to_string(i), {}, true};
    scene.event->cars.push_back(pluginsdk::host::Car{driver});
  }
}

void ConsumingSink::SetColor(unsigned char red, unsigned char green, unsigned char blue,
                             unsigned char opacity) {
  benchmark::DoNotOptimize(red);
  benchmark::DoNotOptimize(green);
  benchmark::DoNotOptimize(blue);
  benchmark::DoNotOptimize(opacity);
}

void ConsumingSink::SetPosition(Vector2 position) { benchmark::DoNotOptimize(position); }

void ConsumingSink::DrawRect(Vector2 topLeft, Vector2 bottomRight) {
  benchmark::DoNotOptimize(topLeft);
  benchmark::DoNotOptimize(bottomRight);
  ++panels_;
}

void ConsumingSink::DrawString(std::string text, float scaleX, float scaleY, bool shadow,
                               bool wrap) {
  benchmark::DoNotOptimize(text.data());
  benchmark::DoNotOptimize(text.size());
  benchmark::ClobberMemory();  // the text's bytes count as read
  benchmark::DoNotOptimize(scaleX);
  benchmark::DoNotOptimize(scaleY);
  benchmark::DoNotOptimize(shadow);
  benchmark::DoNotOptimize(wrap);
}

LoadedPlugin::LoadedPlugin() {
  plugin_.gameHandle = std::make_shared<GameWrapper>();
  plugin_.managerHandle = manager_;
  plugin_.onLoad();
  if (pluginsdk::host::world().drawables().empty())
    throw std::runtime_error("LoadedPlugin: onLoad registered no draw pass");
}

const pluginsdk::host::Drawable& LoadedPlugin::drawPass() const {
  return pluginsdk::host::world().drawables().front();
}

}  // namespace quillmark::bench
