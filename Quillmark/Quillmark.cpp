#include "Quillmark.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "NumberText.h"
#include "pluginsdk/wrappers.h"

// Both module-wide handles live in this one file, in this order, because only
// within one file does C++ fix the order of destruction (the reverse of
// definition): at unload globalManagerHandle is released first, then
// pluginInstance and with it, normally, the plugin object.
std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> pluginInstance;
std::shared_ptr<ManagerWrapper> globalManagerHandle;

extern const char quillmarkMainSourceFile[] = __FILE__;

namespace {

// The panel: a translucent rectangle, then the name line and seven value
// lines 20 units apart, in canvas units.
constexpr std::int32_t kTextX = 15;
constexpr Vector2 kPanelTopLeft{5, 190};
constexpr Vector2 kPanelBottomRight{255, 365};
constexpr Vector2 kNamePosition{kTextX, 200};
constexpr Vector2 kEndPosition{kTextX, 360};
constexpr std::string_view kNameLabel = "Player Settings: ";

struct SettingRow {
  std::string_view label;
  std::int32_t y;
  float ProfileCameraSettings::*field;
};

// Panel order, which is not the record's: Distance comes second.
constexpr SettingRow kSettingRows[] = {
    {"FOV: ", 220, &ProfileCameraSettings::FOV},
    {"Distance: ", 240, &ProfileCameraSettings::Distance},
    {"Height: ", 260, &ProfileCameraSettings::Height},
    {"Angle: ", 280, &ProfileCameraSettings::Angle},
    {"Stiffness: ", 300, &ProfileCameraSettings::Stiffness},
    {"Swivel Speed: ", 320, &ProfileCameraSettings::SwivelSpeed},
    {"Transition Speed: ", 340, &ProfileCameraSettings::TransitionSpeed},
};

// How every text is drawn.
constexpr float kTextScale = 1.0f;
constexpr bool kTextShadow = true;
constexpr bool kTextWrap = false;

// "Player Settings: " and the player's name.
std::string nameLine(const PriWrapper& viewed) {
  const UnrealStringWrapper nameWrapper = viewed.GetPlayerName();
  const std::string name = nameWrapper.ToString();
  std::string text;
  text.reserve(kNameLabel.size() + name.size());
  text.append(kNameLabel).append(name);
  return text;
}

// One panel for `viewed`. Each value row asks for the settings again rather
// than reusing a copy, so every row shows what the game holds as it is drawn.
// Each text is made straight into DrawString's parameter, never moved.
void drawPanel(CanvasWrapper& canvas, const PriWrapper& viewed) {
  canvas.SetColor(0, 0, 0, 30);
  canvas.DrawRect(kPanelTopLeft, kPanelBottomRight);
  canvas.SetColor(225, 225, 225, 255);

  canvas.SetPosition(kNamePosition);
  canvas.DrawString(nameLine(viewed), kTextScale, kTextScale, kTextShadow, kTextWrap);

  for (const SettingRow& row : kSettingRows) {
    canvas.SetPosition({kTextX, row.y});
    const float value = viewed.GetCameraSettings().*row.field;
    canvas.DrawString(quillmark::labelledNumber(row.label, value), kTextScale, kTextScale,
                      kTextShadow, kTextWrap);
  }
  canvas.SetPosition(kEndPosition);
}

}  // namespace

void Quillmark::onLoad() {
  globalManagerHandle = managerHandle;
  // A host that loads a plugin without a game gets no draw pass rather than a
  // crash: there is nothing it could draw from.
  if (!gameHandle) return;
  gameHandle->RegisterDrawable([this](CanvasWrapper canvas) { renderSettings(canvas); });
}

void Quillmark::onUnload() {}

// Each failed check ends the pass silently. Every wrapper is a scoped local,
// so whatever way the pass leaves, including an exception from the host,
// releases them in the reverse of the order they were obtained.
void Quillmark::renderSettings(CanvasWrapper canvas) {
  if (!gameHandle->IsInReplay()) return;

  const CameraWrapper camera = gameHandle->GetCamera();
  if (camera.IsNull()) return;

  const PriWrapper viewed(camera.GetViewTarget().PriHandle);
  if (viewed.IsNull()) return;

  const ReplayServerWrapper replay = gameHandle->GetGameEventAsReplay();
  if (replay.IsNull()) return;

  const ArrayWrapper<CarWrapper> cars = replay.GetCars();
  if (cars.Count() <= 0) return;

  // The list may change length while we draw, so its count is asked anew
  // before every index. A car only gates a panel: the panel always shows the
  // viewed player, once for each car that is live and has a player.
  for (std::int32_t i = 0; i < cars.Count(); ++i) {
    const CarWrapper car = cars.Get(i);
    if (car.IsNull()) continue;
    const PriWrapper driver = car.GetPRI();
    if (driver.IsNull()) continue;
    if (viewed.GetCar().IsNull()) continue;
    drawPanel(canvas, viewed);
  }
}
