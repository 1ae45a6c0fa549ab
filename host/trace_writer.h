// The draw trace: one JSON array per line, ["Frame",K] before each frame.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "recorded_frame.h"

namespace quillmark::host {

// The shortest text that reads back to exactly this float; non-finite values
// (which JSON lacks) as the strings "Infinity", "-Infinity" and "NaN".
std::string jsonFloat(float value);

// A JSON string of `bytes`; bytes that are not valid UTF-8 become U+FFFD.
std::string jsonText(const std::string& bytes);

// Writes ["Frame",K] and one line per entry; queries only when `withCalls`.
void writeTraceFrame(std::ostream& out, std::uint64_t frameNumber, const RecordedFrame& frame,
                     bool withCalls);

}  // namespace quillmark::host
