// The 2-D overlay canvas a drawable draws on.
#pragma once

#include <string>

#include "pluginsdk/export.h"
#include "pluginsdk/records.h"
#include "pluginsdk/tracked_wrapper.h"

namespace pluginsdk::host {
class CanvasSink;
}

// A handle to the host's canvas for one draw call. Copies are further handles
// to the same canvas. Draw calls use the colour and position set last.
class PLUGINSDK_API CanvasWrapper : public pluginsdk::TrackedWrapper {
 public:
  // Made by the host around its own sink.
  explicit CanvasWrapper(pluginsdk::host::CanvasSink& sink) noexcept : sink_(&sink) {}

  // Colour for later draws: red, green, blue and opacity, 0..255.
  void SetColor(unsigned char red, unsigned char green, unsigned char blue,
                unsigned char opacity);
  // Where the next text is drawn.
  void SetPosition(Vector2 position);
  // A rectangle between two corners, in the current colour.
  void DrawRect(Vector2 topLeft, Vector2 bottomRight);
  // Text at the current position and colour. How the two scales and the two
  // flags show is the host's business.
  void DrawString(std::string text, float scaleX, float scaleY, bool shadow, bool wrap);

 private:
  pluginsdk::host::CanvasSink* sink_;
};
