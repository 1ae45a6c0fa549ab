#include "reference_passes.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <utility>

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

void drawText(CanvasWrapper& canvas, std::string text) {
  canvas.DrawString(std::move(text), 1.0f, 1.0f, true, false);
}

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
      std::string text = texts_[0];
      drawText(canvas, std::move(text));
    }
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
      canvas.SetPosition({kTextX, kRows[i].y});
      const float value = viewed.GetCameraSettings().*kRows[i].field;
      benchmark::DoNotOptimize(value);
      std::string text = texts_[i + 1];
      drawText(canvas, std::move(text));
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
      drawText(canvas, "Player Settings: " + name);
    }
    for (const Row& row : kRows) {
      canvas.SetPosition({kTextX, row.y});
      const float value = viewed.GetCameraSettings().*row.field;
      drawText(canvas, row.label + std::to_string(value));
    }
    canvas.SetPosition({kTextX, 360});
  });
}

}  // namespace quillmark::bench
