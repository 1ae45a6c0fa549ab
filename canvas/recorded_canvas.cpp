#include "recorded_canvas.h"

#include <iomanip>
#include <ostream>
#include <utility>

namespace quillmark::canvas {

std::string_view opName(const CanvasOp& op) {
  return std::visit([](const auto& each) { return std::decay_t<decltype(each)>::name; }, op);
}

std::ostream& operator<<(std::ostream& out, const SetColor& op) {
  return out << "SetColor(" << int{op.red} << ", " << int{op.green} << ", " << int{op.blue} << ", "
             << int{op.opacity} << ")";
}

std::ostream& operator<<(std::ostream& out, const SetPosition& op) {
  return out << "SetPosition(" << op.x << ", " << op.y << ")";
}

std::ostream& operator<<(std::ostream& out, const DrawRect& op) {
  return out << "DrawRect(" << op.x1 << ", " << op.y1 << ", " << op.x2 << ", " << op.y2 << ")";
}

std::ostream& operator<<(std::ostream& out, const DrawString& op) {
  return out << "DrawString(" << std::quoted(op.text) << ", " << op.scaleX << ", " << op.scaleY
             << ", " << std::boolalpha << op.shadow << ", " << op.wrap << std::noboolalpha << ")";
}

std::ostream& operator<<(std::ostream& out, const CanvasOp& op) {
  std::visit([&out](const auto& each) { out << each; }, op);
  return out;
}

void RecordingCanvas::SetColor(unsigned char red, unsigned char green, unsigned char blue,
                               unsigned char opacity) {
  ops.emplace_back(canvas::SetColor{red, green, blue, opacity});
}

void RecordingCanvas::SetPosition(Vector2 position) {
  ops.emplace_back(canvas::SetPosition{position.X, position.Y});
}

void RecordingCanvas::DrawRect(Vector2 topLeft, Vector2 bottomRight) {
  ops.emplace_back(canvas::DrawRect{topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y});
}

void RecordingCanvas::DrawString(std::string text, float scaleX, float scaleY, bool shadow,
                                 bool wrap) {
  ops.emplace_back(canvas::DrawString{std::move(text), scaleX, scaleY, shadow, wrap});
}

}  // namespace quillmark::canvas
