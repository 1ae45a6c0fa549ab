// Renders a recorded frame's canvas as a person would see it over the game,
// into a PNG file. Linux builds only (Cairo).
#pragma once

#include <string>

#include "recorded_frame.h"

namespace quillmark::host {

// Draws `frame` at width×height canvas units, one pixel each, over a plain
// backdrop. Throws std::runtime_error naming the file if it cannot be written.
void renderPng(const RecordedFrame& frame, int width, int height, const std::string& path);

}  // namespace quillmark::host
