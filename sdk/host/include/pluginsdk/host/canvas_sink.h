// What a host implements to receive a plugin's draw calls.
#pragma once

#include <string>

#include "pluginsdk/records.h"

namespace pluginsdk::host {

// A CanvasWrapper made around a sink forwards every draw call to it, in order,
// with the plugin's arguments unchanged.
class CanvasSink {
 public:
  virtual void SetColor(unsigned char red, unsigned char green, unsigned char blue,
                        unsigned char opacity) = 0;
  virtual void SetPosition(Vector2 position) = 0;
  virtual void DrawRect(Vector2 topLeft, Vector2 bottomRight) = 0;
  virtual void DrawString(std::string text, float scaleX, float scaleY, bool shadow,
                          bool wrap) = 0;

 protected:
  ~CanvasSink() = default;
};

}  // namespace pluginsdk::host
