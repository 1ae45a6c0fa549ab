// libFuzzer harness of the scene reader: any bytes are either a scene the
// world can use or one SceneError line naming the input, never a crash and
// never another exception.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scene_reader.h"

namespace {

using quillmark::host::kNoPlayerHandle;
using quillmark::host::readScene;
using quillmark::host::SceneError;
using quillmark::host::SceneFile;

constexpr std::string_view kName = "fuzz.json";

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "scene reader fuzzer: %s: %s\n", what, detail.c_str());
  std::abort();
}

// Every handle a scene hands out names one of its players or none at all.
bool namesPlayerOrNone(const SceneFile& file, std::uint64_t handle) {
  return handle == kNoPlayerHandle || file.scene.players.count(handle) == 1;
}

void checkScene(const SceneFile& file) {
  if (file.canvasWidth < 1 || file.canvasWidth > 16384 || file.canvasHeight < 1 ||
      file.canvasHeight > 16384) {
    fail("canvas size out of range",
         std::to_string(file.canvasWidth) + "x" + std::to_string(file.canvasHeight));
  }
  for (const auto& [handle, player] : file.scene.players) {
    if (handle == 0 || handle >= kNoPlayerHandle) fail("player handle out of range", player.name);
  }
  if (file.scene.camera && !namesPlayerOrNone(file, file.scene.camera->viewTarget)) {
    fail("view target names a player that is not there", "");
  }
  if (file.scene.event) {
    for (const auto& car : file.scene.event->cars) {
      if (car && !namesPlayerOrNone(file, car->pri)) fail("car names a player that is not there", "");
    }
  }
}

void checkError(const SceneError& error) {
  const std::string message = error.what();
  if (message.compare(0, kName.size() + 1, std::string(kName) + ":") != 0) {
    fail("error does not start with the input's name", message);
  }
  for (char c : message) {
    if (static_cast<unsigned char>(c) < 0x20) fail("error is not one line of text", message);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    checkScene(readScene(text, kName));
  } catch (const SceneError& error) {
    checkError(error);
  }
  return 0;
}
