#include "reference_panel.h"

#include <cstdio>
#include <utility>

namespace quillmark::canvas {

std::string printfFixed(float value) {
  // "%f" of FLT_MAX is 46 characters; of any other float, no more.
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return std::string(text, static_cast<std::size_t>(length));
}

void appendReferencePanel(std::vector<CanvasOp>& ops, const std::string& name,
                          const ProfileCameraSettings& s) {
  auto line = [](std::string text) { return DrawString{std::move(text), 1, 1, true, false}; };
  ops.insert(ops.end(), {
                            SetColor{0, 0, 0, 30},
                            DrawRect{5, 190, 255, 365},
                            SetColor{225, 225, 225, 255},
                            SetPosition{15, 200},
                            line("Player Settings: " + name),
                            SetPosition{15, 220},
                            line("FOV: " + printfFixed(s.FOV)),
                            SetPosition{15, 240},
                            line("Distance: " + printfFixed(s.Distance)),
                            SetPosition{15, 260},
                            line("Height: " + printfFixed(s.Height)),
                            SetPosition{15, 280},
                            line("Angle: " + printfFixed(s.Angle)),
                            SetPosition{15, 300},
                            line("Stiffness: " + printfFixed(s.Stiffness)),
                            SetPosition{15, 320},
                            line("Swivel Speed: " + printfFixed(s.SwivelSpeed)),
                            SetPosition{15, 340},
                            line("Transition Speed: " + printfFixed(s.TransitionSpeed)),
                            SetPosition{15, 360},
                        });
}

std::vector<CanvasOp> referencePanel(const std::string& name, const ProfileCameraSettings& s) {
  std::vector<CanvasOp> ops;
  appendReferencePanel(ops, name, s);
  return ops;
}

}  // namespace quillmark::canvas
