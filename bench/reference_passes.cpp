#include "reference_passes.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

#include "pluginsdk/wrappers.h"

namespace quillmark::bench {
namespace {

// The panel's layout, as the plugin draws it.
constexpr std::int32_t kTextX = 15;

struct Row {
  const char* label;
  std::int32_t y;
  float ProfileCameraSettings::*field;
};

constexpr Row kRows[] = {
    {"FOV: ", 220, &ProfileCameraSettings::FOV},
    {"Distance: ", 240, &ProfileCameraSettings::Distance},
    {"Height: ", 260, &ProfileCameraSettings::Height},
    {"Angle: ", 280, &ProfileCameraSettings::Angle},
    {"Stiffness: ", 300, &ProfileCameraSettings::Stiffness},
    {"Swivel Speed: ", 320, &ProfileCameraSettings::SwivelSpeed},
    {"Transition Speed: ", 340, &ProfileCameraSettings::TransitionSpeed},
};

std::string printfFixed(float value) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return std::string(text, static_cast<std::size_t>(length));
}

// How every text is drawn. Each is made straight into DrawString's parameter,
// as the plugin makes it, so that no family pays for a move the others do not.
constexpr float kScale = 1.0f;
constexpr bool kShadow = true;
constexpr bool kWrap = false;

// The plugin's pass with the panel left to `drawPanel(canvas, viewed)`.
template <class DrawPanel>
void runPass(const GameWrapper& game, CanvasWrapper& canvas, DrawPanel drawPanel) {
  if (!game.IsInReplay()) return;
  const CameraWrapper camera = game.GetCamera();
  if (camera.IsNull()) return;
  const PriWrapper viewed(camera.GetViewTarget().PriHandle);
  if (viewed.IsNull()) return;
  const ReplayServerWrapper replay = game.GetGameEventAsReplay();
  if (replay.IsNull()) return;
  const ArrayWrapper<CarWrapper> cars = replay.GetCars();
  if (cars.Count() <= 0) return;
  for (std::int32_t i = 0; i < cars.Count(); ++i) {
    const CarWrapper car = cars.Get(i);
    if (car.IsNull()) continue;
    const PriWrapper driver = car.GetPRI();
    if (driver.IsNull()) continue;
    if (viewed.GetCar().IsNull()) continue;
    drawPanel(canvas, viewed);
  }
}

void drawFrame(CanvasWrapper& canvas) {
  canvas.SetColor(0, 0, 0, 30);
  canvas.DrawRect({5, 190}, {255, 365});
  canvas.SetColor(225, 225, 225, 255);
  canvas.SetPosition({kTextX, 200});
}

}  // namespace

FloorPass::FloorPass(const std::string& name, const ProfileCameraSettings& settings) {
  texts_[0] = "Player Settings: " + name;
  for (std::size_t i = 0; i < std::size(kRows); ++i)
    texts_[i + 1] = kRows[i].label + printfFixed(settings.*kRows[i].field);
}

void FloorPass::operator()(CanvasWrapper canvas) const {
  runPass(game_, canvas, [this](CanvasWrapper& canvas, const PriWrapper& viewed) {
    drawFrame(canvas);
    {
      const UnrealStringWrapper nameWrapper = viewed.GetPlayerName();
      const std::string name = nameWrapper.ToString();
      benchmark::DoNotOptimize(name.data());
      canvas.DrawString(std::string(texts_[0]), kScale, kScale, kShadow, kWrap);
    }
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
      canvas.SetPosition({kTextX, kRows[i].y});
      const float value = viewed.GetCameraSettings().*kRows[i].field;
      benchmark::DoNotOptimize(value);
      canvas.DrawString(std::string(texts_[i + 1]), kScale, kScale, kShadow, kWrap);
    }
    canvas.SetPosition({kTextX, 360});
  });
}

void NaivePass::operator()(CanvasWrapper canvas) const {
  runPass(game_, canvas, [](CanvasWrapper& canvas, const PriWrapper& viewed) {
    drawFrame(canvas);
    {
      const UnrealStringWrapper nameWrapper = viewed.GetPlayerName();
      const std::string name = nameWrapper.ToString();
      canvas.DrawString("Player Settings: " + name, kScale, kScale, kShadow, kWrap);
    }
    for (const Row& row : kRows) {
      canvas.SetPosition({kTextX, row.y});
      const float value = viewed.GetCameraSettings().*row.field;
      canvas.DrawString(row.label + std::to_string(value), kScale, kScale, kShadow, kWrap);
    }
    canvas.SetPosition({kTextX, 360});
  });
}

}  // namespace quillmark::bench
