// quillmark-pass-loop FAMILY PASSES CARS: runs one family's draw pass (pass,
// floor or naive, as in quillmark-bench) PASSES times over the benchmark's
// scene with CARS qualifying cars, and nothing else, so that an instruction
// counter can tell the cost of one pass from two runs (see callgrind-pass).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "bench_world.h"
#include "reference_passes.h"

namespace {

bool parseCount(const char* text, long& count) {
  char* end = nullptr;
  count = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && count >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillmark::bench;
  long passes = 0;
  long cars = 0;
  const char* family = argc == 4 ? argv[1] : "";
  const bool known = std::strcmp(family, "pass") == 0 || std::strcmp(family, "floor") == 0 ||
                     std::strcmp(family, "naive") == 0;
  if (!known || !parseCount(argv[2], passes) || !parseCount(argv[3], cars)) {
    std::fprintf(stderr, "usage: %s pass|floor|naive PASSES CARS  (counts of 0 or more)\n",
                 argv[0]);
    return 2;
  }
  showScene(static_cast<int>(cars));
  std::optional<LoadedPlugin> plugin;
  pluginsdk::host::Drawable pass;
  if (std::strcmp(family, "pass") == 0) {
    pass = plugin.emplace().drawPass();
  } else if (std::strcmp(family, "floor") == 0) {
    pass = FloorPass(kDefaultName, kDefaultSettings);
  } else {
    pass = NaivePass();
  }
  ConsumingSink sink;
  const CanvasWrapper canvas(sink);
  for (long i = 0; i < passes; ++i) pass(canvas);
  std::printf("%s: %ld passes at %ld cars drew %llu panels\n", family, passes, cars,
              static_cast<unsigned long long>(sink.panels()));
  return 0;
}
