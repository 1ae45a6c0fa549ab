// One frame as the plugin made it: its canvas calls and, in their places,
// the SDK queries it asked. Trace writing and picture rendering both play
// back this one record.
#pragma once

#include <variant>
#include <vector>

#include "pluginsdk/host/world.h"
#include "recorded_canvas.h"

namespace quillmark::host {

struct QueryCall {
  pluginsdk::host::Operation operation;
};

using FrameEntry = std::variant<canvas::CanvasOp, QueryCall>;

struct RecordedFrame {
  std::vector<FrameEntry> entries;

  // The canvas calls alone, in order.
  std::vector<canvas::CanvasOp> canvasOps() const;
};

// Records a frame: installed as the world's call observer and given to the
// world as the canvas sink. Draw operations are recorded by the sink side,
// queries by the observer side. `next` is told of every call after it is
// recorded, so a host can still change the scene between calls.
class FrameRecorder final : public pluginsdk::host::CanvasSink,
                            public pluginsdk::host::CallObserver {
 public:
  explicit FrameRecorder(RecordedFrame& frame, pluginsdk::host::CallObserver* next = nullptr)
      : frame_(frame), next_(next) {}

  void onCall(pluginsdk::host::Operation operation) override;

  void SetColor(unsigned char red, unsigned char green, unsigned char blue,
                unsigned char opacity) override;
  void SetPosition(Vector2 position) override;
  void DrawRect(Vector2 topLeft, Vector2 bottomRight) override;
  void DrawString(std::string text, float scaleX, float scaleY, bool shadow, bool wrap) override;

 private:
  void takeRecorded();

  RecordedFrame& frame_;
  pluginsdk::host::CallObserver* next_;
  canvas::RecordingCanvas canvas_;
};

// Records one frame of every drawable, with the recorder as the world's
// observer for its duration (the previous observer is put back).
RecordedFrame recordFrame(pluginsdk::host::CallObserver* next = nullptr);

}  // namespace quillmark::host
