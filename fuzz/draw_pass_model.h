// What the draw pass must draw for a fuzzed scene, worked out from the rules
// alone and not from the plugin: when a panel is due, how many, and each
// panel's exact calls (numbers as snprintf's "%f" prints the widened float).
#pragma once

#include <vector>

#include "draw_pass_input.h"
#include "recorded_canvas.h"

namespace quillmark::fuzz {

// Every canvas call a complete pass over `input` makes, in order.
std::vector<canvas::CanvasOp> expectedDrawing(const DrawPassInput& input);

}  // namespace quillmark::fuzz
