// What every benchmark family runs over: the simulated world showing a scene
// with a given number of qualifying cars, a canvas sink that consumes every
// argument, and the real plugin loaded as the host loads it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Quillmark.h"
#include "pluginsdk/host/canvas_sink.h"
#include "pluginsdk/host/manager.h"
#include "pluginsdk/host/world.h"

namespace quillmark::bench {

// The viewed player and the settings the panel shows.
constexpr std::uint64_t kViewedPlayer = 0x100;
inline constexpr ProfileCameraSettings kDefaultSettings{110, 100, -3, 270, 0.5f, 4.7f, 1.2f};
inline constexpr char kDefaultName[] = "Ada";

// Resets the world to a replay whose camera views the default player, with
// `cars` cars that each have a driver; 0 cars means no replay is shown at
// all. Turns the call log off so that logging does not allocate (calls are
// still counted).
void showScene(int cars);

// Hands every argument to benchmark::DoNotOptimize, so no draw call's work
// can be optimised away, and counts panels by their rectangles.
class ConsumingSink final : public pluginsdk::host::CanvasSink {
 public:
  void SetColor(unsigned char red, unsigned char green, unsigned char blue,
                unsigned char opacity) override;
  void SetPosition(Vector2 position) override;
  void DrawRect(Vector2 topLeft, Vector2 bottomRight) override;
  void DrawString(std::string text, float scaleX, float scaleY, bool shadow, bool wrap) override;

  std::uint64_t panels() const noexcept { return panels_; }

 private:
  std::uint64_t panels_ = 0;
};

// A Quillmark with both handles, loaded into the current world: its draw
// pass is the world's first drawable. Call showScene first, since it resets
// the world's drawables.
class LoadedPlugin {
 public:
  LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  // The registered draw pass, called as the host calls it.
  const pluginsdk::host::Drawable& drawPass() const;

 private:
  std::shared_ptr<ManagerWrapper> manager_ = std::make_shared<ManagerWrapper>();
  Quillmark plugin_;
};

}  // namespace quillmark::bench
