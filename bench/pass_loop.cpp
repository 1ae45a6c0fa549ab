// quillmark-pass-loop PASSES CARS: runs the plugin's draw pass PASSES times
// over the benchmark's scene with CARS qualifying cars, and nothing else, so
// that an instruction counter can tell the cost of one pass from two runs
// (see callgrind-pass).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_world.h"

namespace {

bool parseCount(const char* text, long& count) {
  char* end = nullptr;
  count = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && count >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  long passes = 0;
  long cars = 0;
  if (argc != 3 || !parseCount(argv[1], passes) || !parseCount(argv[2], cars)) {
    std::fprintf(stderr, "usage: %s PASSES CARS  (both counts of 0 or more)\n", argv[0]);
    return 2;
  }
  quillmark::bench::showScene(static_cast<int>(cars));
  const quillmark::bench::LoadedPlugin plugin;
  quillmark::bench::ConsumingSink sink;
  const CanvasWrapper canvas(sink);
  for (long i = 0; i < passes; ++i) plugin.drawPass()(canvas);
  std::printf("%ld passes at %ld cars drew %llu panels\n", passes, cars,
              static_cast<unsigned long long>(sink.panels()));
  return 0;
}
