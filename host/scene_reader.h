// Replay scenes for the host stand-in: the built-in default and the JSON
// scene files users write. Reads from a string and a name so that anything
// (the program, tests, a fuzzer) can drive it without files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "pluginsdk/host/world.h"

namespace quillmark::host {

// A scene that cannot be used. The message is one line naming the file, the
// key path and, for text that is not JSON, the line and column.
class SceneError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SceneFile {
  pluginsdk::host::Scene scene;
  int canvasWidth = 1920;  // the picture's size, canvas units
  int canvasHeight = 1080;
};

// A 3-versus-3 replay, six cars, the camera viewing "Ada".
SceneFile defaultScene();

// The handle a scene's player id becomes: ids in the order of the file's
// `players` object (which is sorted), numbered from 1.
inline constexpr std::uint64_t kFirstPlayerHandle = 1;
// A handle naming no player, for a view target or driver that names none.
inline constexpr std::uint64_t kNoPlayerHandle = (std::uint64_t{1} << 56) - 1;

// Reads scene text; `name` is what errors call it. Throws SceneError.
SceneFile readScene(std::string_view text, std::string_view name);
// Reads a scene file. Throws SceneError.
SceneFile readSceneFile(const std::filesystem::path& path);

}  // namespace quillmark::host
