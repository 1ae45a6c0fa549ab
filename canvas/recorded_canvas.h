// A recorded canvas: every draw call a plugin makes, kept as a plain value.
//
// The variant CanvasOp is the one list of canvas operations. Everything that
// plays a recording back (trace writer, renderer, checkers) visits it with no
// default case, so an operation added here and forgotten there fails to
// compile.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "pluginsdk/host/canvas_sink.h"

namespace quillmark::canvas {

struct SetColor {
  static constexpr std::string_view name = "SetColor";
  unsigned char red, green, blue, opacity;  // 0..255 each
  bool operator==(const SetColor&) const = default;
};

struct SetPosition {
  static constexpr std::string_view name = "SetPosition";
  std::int32_t x, y;  // canvas units
  bool operator==(const SetPosition&) const = default;
};

struct DrawRect {
  static constexpr std::string_view name = "DrawRect";
  std::int32_t x1, y1, x2, y2;  // two corners, canvas units
  bool operator==(const DrawRect&) const = default;
};

struct DrawString {
  static constexpr std::string_view name = "DrawString";
  std::string text;  // bytes as the plugin passed them
  float scaleX, scaleY;
  bool shadow, wrap;
  bool operator==(const DrawString&) const = default;
};

using CanvasOp = std::variant<SetColor, SetPosition, DrawRect, DrawString>;

std::string_view opName(const CanvasOp& op);

// Prints an op as it was called, e.g. DrawString("FOV: 90.000000", 1, 1, true, false).
std::ostream& operator<<(std::ostream& out, const SetColor& op);
std::ostream& operator<<(std::ostream& out, const SetPosition& op);
std::ostream& operator<<(std::ostream& out, const DrawRect& op);
std::ostream& operator<<(std::ostream& out, const DrawString& op);
std::ostream& operator<<(std::ostream& out, const CanvasOp& op);

// A sink that keeps every call it receives, in order.
class RecordingCanvas final : public pluginsdk::host::CanvasSink {
 public:
  std::vector<CanvasOp> ops;

  void SetColor(unsigned char red, unsigned char green, unsigned char blue,
                unsigned char opacity) override;
  void SetPosition(Vector2 position) override;
  void DrawRect(Vector2 topLeft, Vector2 bottomRight) override;
  void DrawString(std::string text, float scaleX, float scaleY, bool shadow, bool wrap) override;
};

}  // namespace quillmark::canvas
