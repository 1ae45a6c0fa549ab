// Builds without Cairo (Windows) write no pictures.
#include <stdexcept>

#include "png_renderer.h"

namespace quillmark::host {

void renderPng(const RecordedFrame&, int, int, const std::string& path) {
  throw std::runtime_error(path + ": this build writes no pictures (--png is Linux-only)");
}

}  // namespace quillmark::host
