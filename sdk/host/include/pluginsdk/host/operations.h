// The SDK operations a plugin can call, as the host's call log names them.
#pragma once

#include <string_view>

#include "pluginsdk/export.h"

namespace pluginsdk::host {

// One list drives the enum, the names and the draw/query split, so adding an
// operation cannot be half done. X(enumerator, "Class::Operation", isDraw).
#define PLUGINSDK_OPERATIONS(X)                                              \
  X(IsInReplay, "GameWrapper::IsInReplay", false)                            \
  X(GetCamera, "GameWrapper::GetCamera", false)                              \
  X(GetGameEventAsReplay, "GameWrapper::GetGameEventAsReplay", false)        \
  X(RegisterDrawable, "GameWrapper::RegisterDrawable", false)                \
  X(IsNull, "ActorWrapper::IsNull", false)                                   \
  X(GetViewTarget, "BaseCameraWrapper::GetViewTarget", false)                \
  X(PriFromHandle, "PriWrapper::PriWrapper", false)                          \
  X(GetCar, "PriWrapper::GetCar", false)                                     \
  X(GetCameraSettings, "PriWrapper::GetCameraSettings", false)               \
  X(GetPlayerName, "PlayerReplicationInfoWrapper::GetPlayerName", false)     \
  X(ToString, "UnrealStringWrapper::ToString", false)                        \
  X(GetCars, "GameEventWrapper::GetCars", false)                             \
  X(Count, "ArrayWrapper::Count", false)                                     \
  X(Get, "ArrayWrapper::Get", false)                                         \
  X(GetPRI, "VehicleWrapper::GetPRI", false)                                 \
  X(SetColor, "CanvasWrapper::SetColor", true)                               \
  X(SetPosition, "CanvasWrapper::SetPosition", true)                         \
  X(DrawRect, "CanvasWrapper::DrawRect", true)                               \
  X(DrawString, "CanvasWrapper::DrawString", true)

enum class Operation {
#define PLUGINSDK_ENUMERATOR(name, text, isDraw) name,
  PLUGINSDK_OPERATIONS(PLUGINSDK_ENUMERATOR)
#undef PLUGINSDK_ENUMERATOR
};

// "GameWrapper::IsInReplay" and so on.
constexpr std::string_view operationName(Operation operation) {
  switch (operation) {
#define PLUGINSDK_NAME(name, text, isDraw) \
  case Operation::name:                    \
    return text;
    PLUGINSDK_OPERATIONS(PLUGINSDK_NAME)
#undef PLUGINSDK_NAME
  }
  return "?";
}

// True for the canvas operations, false for queries of the game.
constexpr bool isDrawOperation(Operation operation) {
  switch (operation) {
#define PLUGINSDK_IS_DRAW(name, text, isDraw) \
  case Operation::name:                       \
    return isDraw;
    PLUGINSDK_OPERATIONS(PLUGINSDK_IS_DRAW)
#undef PLUGINSDK_IS_DRAW
  }
  return false;
}

}  // namespace pluginsdk::host
