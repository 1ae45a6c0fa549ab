// The two passes the plugin's is measured against. Both make exactly the SDK
// calls the plugin's pass makes, in the same order and with the same checks;
// they differ only in how the eight texts come about.
#pragma once

#include <array>
#include <string>

#include "pluginsdk/canvas_wrapper.h"
#include "pluginsdk/game_wrapper.h"
#include "pluginsdk/records.h"

namespace quillmark::bench {

// The unavoidable work: the texts for one name and one set of settings are
// formatted once, up front; each pass copies each into a string of its own
// (an allocation only for a text too long for the string's small buffer) and
// moves that into DrawString.
class FloorPass {
 public:
  FloorPass(const std::string& name, const ProfileCameraSettings& settings);
  void operator()(CanvasWrapper canvas) const;

 private:
  GameWrapper game_;
  std::array<std::string, 8> texts_;  // the name line, then the seven value lines
};

// The way most code would write it: each text is label + std::to_string(value).
class NaivePass {
 public:
  void operator()(CanvasWrapper canvas) const;

 private:
  GameWrapper game_;
};

}  // namespace quillmark::bench
