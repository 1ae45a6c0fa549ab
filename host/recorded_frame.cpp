#include "recorded_frame.h"

#include <utility>

namespace quillmark::host {

std::vector<canvas::CanvasOp> RecordedFrame::canvasOps() const {
  std::vector<canvas::CanvasOp> ops;
  for (const FrameEntry& entry : entries) {
    if (const auto* op = std::get_if<canvas::CanvasOp>(&entry)) ops.push_back(*op);
  }
  return ops;
}

void FrameRecorder::onCall(pluginsdk::host::Operation operation) {
  if (!pluginsdk::host::isDrawOperation(operation))
    frame_.entries.emplace_back(QueryCall{operation});
  if (next_ != nullptr) next_->onCall(operation);
}

void FrameRecorder::takeRecorded() {
  for (canvas::CanvasOp& op : canvas_.ops) frame_.entries.emplace_back(std::move(op));
  canvas_.ops.clear();
}

void FrameRecorder::SetColor(unsigned char red, unsigned char green, unsigned char blue,
                             unsigned char opacity) {
  canvas_.SetColor(red, green, blue, opacity);
  takeRecorded();
}

void FrameRecorder::SetPosition(Vector2 position) {
  canvas_.SetPosition(position);
  takeRecorded();
}

void FrameRecorder::DrawRect(Vector2 topLeft, Vector2 bottomRight) {
  canvas_.DrawRect(topLeft, bottomRight);
  takeRecorded();
}

void FrameRecorder::DrawString(std::string text, float scaleX, float scaleY, bool shadow,
                               bool wrap) {
  canvas_.DrawString(std::move(text), scaleX, scaleY, shadow, wrap);
  takeRecorded();
}

RecordedFrame recordFrame(pluginsdk::host::CallObserver* next) {
  RecordedFrame frame;
  FrameRecorder recorder(frame, next);
  auto& world = pluginsdk::host::world();
  struct ObserverScope {
    pluginsdk::host::World& world;
    ~ObserverScope() { world.setObserver(nullptr); }
  } scope{world};
  world.setObserver(&recorder);
  world.draw(recorder);
  return frame;
}

}  // namespace quillmark::host
