// quillmark-host: loads a plugin module as the host does and runs it over a
// replay scene (run), shows its descriptor (info), or checks how it behaves
// (validate).

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "module_loader.h"
#include "plugin_session.h"
#include "pluginsdk/host/world.h"
#include "png_renderer.h"
#include "recorded_frame.h"
#include "scene_reader.h"
#include "trace_writer.h"
#include "validator.h"

namespace {

using namespace quillmark::host;

constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

constexpr char kUsage[] =
    "usage:\n"
    "  quillmark-host run [--plugin PATH] [--scene FILE] [--frames N] [--trace FILE|-]\n"
    "                     [--calls] [--png FILE]\n"
    "      Loads the module, draws N frames (default 1) of the scene (default: the\n"
    "      built-in 3-versus-3 replay viewing \"Ada\") and writes the draw trace as JSON\n"
    "      Lines. Without --trace and --png it prints the last frame's trace. --calls\n"
    "      adds the plugin's SDK queries in their places. --png writes the last frame\n"
    "      as a picture (Linux builds only).\n"
    "  quillmark-host info [--plugin PATH]\n"
    "      Prints the module's descriptor as one JSON object.\n"
    "  quillmark-host validate [--plugin PATH] [--seed S] [--json] [--check NAME]\n"
    "                          [--time-limit SECONDS]\n"
    "      Checks the module's descriptor, lifecycle, fault handling and drawing, each\n"
    "      check in a child process; exits 0 when all pass, 1 otherwise.\n"
    "The default PATH is the Quillmark module of this build:\n  " QUILLMARK_DEFAULT_PLUGIN
    "\n"
    "Exit status 2: bad command line, scene file or module.\n";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The arguments after the command, as options with or without a value.
class Options {
 public:
  Options(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) args_.emplace_back(argv[i]);
  }
  bool flag(const std::string& name) {
    for (std::size_t i = 0; i < args_.size(); ++i) {
      if (args_[i] == name) {
        args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
        return true;
      }
    }
    return false;
  }
  std::optional<std::string> value(const std::string& name) {
    for (std::size_t i = 0; i < args_.size(); ++i) {
      if (args_[i] != name) continue;
      if (i + 1 >= args_.size()) throw UsageError(name + " needs a value");
      std::string result = args_[i + 1];
      args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i),
                  args_.begin() + static_cast<std::ptrdiff_t>(i + 2));
      return result;
    }
    return std::nullopt;
  }
  std::uint64_t number(const std::string& name, std::uint64_t fallback) {
    const auto text = value(name);
    if (!text) return fallback;
    std::size_t used = 0;
    std::uint64_t result = 0;
    try {
      result = std::stoull(*text, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used == 0 || used != text->size() || (*text)[0] == '-') {
      throw UsageError(name + ": expected a whole number, got \"" + *text + "\"");
    }
    return result;
  }
  void finish() const {
    if (!args_.empty()) throw UsageError("unknown argument \"" + args_.front() + "\"");
  }

 private:
  std::vector<std::string> args_;
};

int runCommand(Options& options) {
  const std::string plugin = options.value("--plugin").value_or(QUILLMARK_DEFAULT_PLUGIN);
  const auto sceneFile = options.value("--scene");
  const std::uint64_t frames = options.number("--frames", 1);
  const auto tracePath = options.value("--trace");
  const bool withCalls = options.flag("--calls");
  const auto pngPath = options.value("--png");
  options.finish();
  if (frames < 1) throw UsageError("--frames: at least one frame");

  const SceneFile scene = sceneFile ? readSceneFile(*sceneFile) : defaultScene();

  std::ofstream traceFile;
  std::ostream* trace = nullptr;
  if (tracePath) {
    if (*tracePath == "-") {
      trace = &std::cout;
    } else {
      traceFile.open(*tracePath, std::ios::binary);
      if (!traceFile) throw UsageError(*tracePath + ": cannot write the trace file");
      trace = &traceFile;
    }
  }

  auto& world = pluginsdk::host::world();
  world.scene = scene.scene;
  const LoadedModule module(plugin);
  RecordedFrame last;
  {
    PluginSession session(module);
    for (std::uint64_t k = 0; k < frames; ++k) {
      last = recordFrame();
      if (trace != nullptr) writeTraceFrame(*trace, k, last, withCalls);
    }
    session.end();
  }
  if (!tracePath && !pngPath) writeTraceFrame(std::cout, frames - 1, last, withCalls);
  if (pngPath) renderPng(last, scene.canvasWidth, scene.canvasHeight, *pngPath);
  if (trace != nullptr) trace->flush();
  if (trace == &traceFile && !traceFile) {
    throw std::runtime_error(*tracePath + ": could not write the whole trace");
  }
  return 0;
}

std::string textOrNull(const char* text) { return text == nullptr ? "null" : jsonText(text); }

int infoCommand(Options& options) {
  const std::string plugin = options.value("--plugin").value_or(QUILLMARK_DEFAULT_PLUGIN);
  options.finish();
  const LoadedModule module(plugin, LoadedModule::BuildCheck::Skip);
  const PluginDescriptor& d = module.descriptor();
  std::cout << "{\"apiBuild\":" << d.apiBuild
            << ",\"sourceFileName\":" << textOrNull(d.sourceFileName)
            << ",\"pluginClass\":" << textOrNull(d.pluginClass)
            << ",\"displayName\":" << textOrNull(d.displayName)
            << ",\"versionText\":" << textOrNull(d.versionText) << ",\"typeFlags\":" << d.typeFlags
            << "}\n";
  return 0;
}

int validateCommand(Options& options, const char* program) {
  ValidateOptions settings;
  settings.program = program;
  settings.plugin = options.value("--plugin").value_or(QUILLMARK_DEFAULT_PLUGIN);
  settings.seed = options.number("--seed", settings.seed);
  settings.json = options.flag("--json");
  settings.only = options.value("--check").value_or("");
  settings.timeLimitSeconds =
      static_cast<unsigned>(options.number("--time-limit", settings.timeLimitSeconds));
  options.finish();
  if (!settings.only.empty() && !isCheckName(settings.only)) {
    throw UsageError("--check: no check named \"" + settings.only + "\"");
  }
  return validate(settings);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 2) throw UsageError("no command given");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
      std::cout << kUsage;
      return 0;
    }
    Options options(argc, argv, 2);
    if (command == "run") return runCommand(options);
    if (command == "info") return infoCommand(options);
    if (command == "validate") return validateCommand(options, argv[0]);
    throw UsageError("unknown command \"" + command + "\"");
  } catch (const UsageError& error) {
    std::cerr << "quillmark-host: " << error.what() << "\n" << kUsage;
    return kExitBadInput;
  } catch (const SceneError& error) {
    std::cerr << "quillmark-host: " << error.what() << "\n";
    return kExitBadInput;
  } catch (const ModuleError& error) {
    std::cerr << "quillmark-host: " << error.what() << "\n";
    return kExitBadInput;
  } catch (const std::exception& error) {
    std::cerr << "quillmark-host: " << error.what() << "\n";
    return kExitFailed;
  }
}
