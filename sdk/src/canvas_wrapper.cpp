// The canvas: each draw call is logged, then forwarded to the host's sink.

#include "pluginsdk/canvas_wrapper.h"

#include <utility>

#include "pluginsdk/host/canvas_sink.h"
#include "pluginsdk/host/world.h"

using pluginsdk::host::Operation;
using pluginsdk::host::world;

void CanvasWrapper::SetColor(unsigned char red, unsigned char green, unsigned char blue,
                             unsigned char opacity) {
  world().enter(Operation::SetColor);
  sink_->SetColor(red, green, blue, opacity);
}

void CanvasWrapper::SetPosition(Vector2 position) {
  world().enter(Operation::SetPosition);
  sink_->SetPosition(position);
}

void CanvasWrapper::DrawRect(Vector2 topLeft, Vector2 bottomRight) {
  world().enter(Operation::DrawRect);
  sink_->DrawRect(topLeft, bottomRight);
}

void CanvasWrapper::DrawString(std::string text, float scaleX, float scaleY, bool shadow,
                               bool wrap) {
  world().enter(Operation::DrawString);
  sink_->DrawString(std::move(text), scaleX, scaleY, shadow, wrap);
}
