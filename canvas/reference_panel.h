// The panel the plugin must draw for a viewed player, written out call by
// call from the rules and not from the plugin's code: the one reference that
// tests, the validator and the fuzzers check the plugin's drawing against.
#pragma once

#include <string>
#include <vector>

#include "pluginsdk/records.h"
#include "recorded_canvas.h"

namespace quillmark::canvas {

// What snprintf's "%f" prints for the float widened to double: the text the
// plugin's numbers must match byte for byte.
std::string printfFixed(float value);

// The canvas calls of one panel for a player of this name and settings.
std::vector<CanvasOp> referencePanel(const std::string& name,
                                     const ProfileCameraSettings& settings);

// Appends one panel's calls to `ops`.
void appendReferencePanel(std::vector<CanvasOp>& ops, const std::string& name,
                          const ProfileCameraSettings& settings);

}  // namespace quillmark::canvas
