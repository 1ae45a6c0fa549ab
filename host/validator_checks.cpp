#include "validator_checks.h"

#include <cstring>
#include <memory>
#include <sstream>

#include "module_loader.h"
#include "panel_model.h"
#include "plugin_session.h"
#include "pluginsdk/host/sdk_fault.h"
#include "pluginsdk/host/world.h"
#include "recorded_frame.h"
#include "scene_generator.h"
#include "scene_reader.h"

namespace quillmark::host {

namespace {

constexpr int kCreateDeleteCycles = 300;
constexpr int kLoadUnloadCycles = 100;
constexpr std::uint64_t kGeneratedScenes = 400;

using pluginsdk::host::world;

void require(bool ok, const std::string& message) {
  if (!ok) throw CheckFailed(message);
}

std::string describe(const canvas::CanvasOp& op) {
  std::ostringstream out;
  out << op;
  return out.str();
}

// "" when equal; otherwise where and how the two differ.
std::string difference(const std::vector<canvas::CanvasOp>& expected,
                       const std::vector<canvas::CanvasOp>& actual) {
  const std::size_t common = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (!(expected[i] == actual[i])) {
      return "canvas call " + std::to_string(i) + " is " + describe(actual[i]) + ", expected " +
             describe(expected[i]);
    }
  }
  if (expected.size() == actual.size()) return "";
  return std::to_string(actual.size()) + " canvas calls, expected " +
         std::to_string(expected.size());
}

bool isVersionText(const char* text) {
  // major.minor.patch.build, each a decimal number
  int parts = 0;
  const char* p = text;
  while (true) {
    if (*p < '0' || *p > '9') return false;
    while (*p >= '0' && *p <= '9') ++p;
    ++parts;
    if (*p == '\0') return parts == 4;
    if (*p != '.') return false;
    ++p;
  }
}

}  // namespace

void checkDescriptor(const std::string& plugin, std::uint64_t) {
  const LoadedModule module(plugin, LoadedModule::BuildCheck::Skip);
  const PluginDescriptor& d = module.descriptor();
  require(d.apiBuild == kPluginApiBuild, "apiBuild is " + std::to_string(d.apiBuild) +
                                             ", this host speaks " +
                                             std::to_string(kPluginApiBuild));
  require(d.padding0 == 0 && d.padding1 == 0, "padding fields are not zero");
  const struct {
    const char* field;
    const char* text;
  } texts[] = {{"sourceFileName", d.sourceFileName},
               {"pluginClass", d.pluginClass},
               {"displayName", d.displayName},
               {"versionText", d.versionText}};
  for (const auto& each : texts) {
    require(each.text != nullptr && each.text[0] != '\0',
            std::string(each.field) + " is null or empty");
  }
  require(isVersionText(d.versionText),
          std::string("versionText \"") + d.versionText + "\" is not major.minor.patch.build");
  require(d.createEntry != nullptr && d.deleteEntry != nullptr,
          "createEntry or deleteEntry is null");
}

void checkCreateDelete(const std::string& plugin, std::uint64_t) {
  const LoadedModule module(plugin);
  world().reset();
  world().scene = defaultScene().scene;
  const std::size_t baseline = world().liveWrappers();
  std::vector<canvas::CanvasOp> first;
  for (int cycle = 0; cycle < kCreateDeleteCycles; ++cycle) {
    const std::string when = "after create/delete cycle " + std::to_string(cycle + 1);
    std::vector<canvas::CanvasOp> drawn;
    {
      PluginSession session(module);
      drawn = recordFrame().canvasOps();
      session.end();
      require(session.pluginObjectGone(), when + ": the plugin object is still alive");
    }
    require(world().liveWrappers() == baseline,
            when + ": " + std::to_string(world().liveWrappers() - baseline) +
                " wrapper(s) still alive");
    require(world().drawables().empty(), when + ": drawables left registered");
    if (cycle == 0) first = drawn;
    const std::string changed = difference(first, drawn);
    require(changed.empty(), when + ": the frame differs from the first cycle's: " + changed);
  }
}

void checkLoadUnload(const std::string& plugin, std::uint64_t) {
  world().reset();
  world().scene = defaultScene().scene;
  const std::size_t baseline = world().liveWrappers();
  for (int cycle = 0; cycle < kLoadUnloadCycles; ++cycle) {
    const std::string when = "after load/unload cycle " + std::to_string(cycle + 1);
    std::weak_ptr<ManagerWrapper> manager;
    {
      const LoadedModule module(plugin);
      PluginSession session(module);
      manager = session.manager();
      recordFrame();
      session.end();
    }
    require(manager.expired(), when + ": the module still shares the manager");
    require(world().drawables().empty(), when + ": drawables left registered");
    require(world().liveWrappers() == baseline,
            when + ": " + std::to_string(world().liveWrappers() - baseline) +
                " wrapper(s) still alive");
  }
}

void checkFaults(const std::string& plugin, std::uint64_t) {
  const LoadedModule module(plugin);
  auto& w = world();
  w.reset();
  w.scene = defaultScene().scene;
  PluginSession session(module);
  w.clearCalls();
  const std::vector<canvas::CanvasOp> complete = recordFrame().canvasOps();
  const std::uint64_t calls = w.callCount();
  require(calls > 0, "a pass over the default scene makes no SDK call");
  const std::size_t liveBefore = w.liveWrappers();
  const std::size_t outOfOrderBefore = w.outOfOrderReleases();
  for (std::uint64_t n = 1; n <= calls; ++n) {
    w.clearCalls();
    w.failAtCall(n);
    bool reached = false;
    std::string other;
    try {
      recordFrame();
    } catch (const pluginsdk::host::SdkFault& fault) {
      reached = fault.callNumber() == n;
    } catch (const std::exception& error) {
      other = error.what();
    }
    w.failAtCall(0);
    const std::string at =
        "fault at call " + std::to_string(n) + " (" +
        std::string(n <= w.calls().size() ? pluginsdk::host::operationName(w.calls()[n - 1])
                                          : "never made") +
        ")";
    require(other.empty(), at + ": the host got another exception instead: " + other);
    require(reached, at + ": the fault did not reach the host");
    require(w.liveWrappers() == liveBefore,
            at + ": " + std::to_string(w.liveWrappers() - liveBefore) + " wrapper(s) left alive");
    require(w.outOfOrderReleases() == outOfOrderBefore, at + ": wrappers released out of order");
    w.clearCalls();
    const std::string changed = difference(complete, recordFrame().canvasOps());
    require(changed.empty(), at + ": the next pass is not complete: " + changed);
  }
  session.end();
}

void checkScenes(const std::string& plugin, std::uint64_t seed) {
  const LoadedModule module(plugin);
  auto& w = world();
  w.reset();
  PluginSession session(module);
  const std::size_t liveBefore = w.liveWrappers();
  for (std::uint64_t index = 0; index < kGeneratedScenes; ++index) {
    const GeneratedScene generated = generateScene(seed, index);
    w.scene = generated.scene;
    const std::vector<canvas::CanvasOp> expected = expectedFrame(generated.scene, generated.cars);
    CarListChanger changer(generated.cars);
    const std::vector<canvas::CanvasOp> drawn = recordFrame(&changer).canvasOps();
    const std::string where =
        "generated scene " + std::to_string(index) + " of seed " + std::to_string(seed);
    const std::string changed = difference(expected, drawn);
    require(changed.empty(), where + ": " + changed);
    require(w.liveWrappers() == liveBefore, where + ": wrappers left alive");
  }
  session.end();
}

}  // namespace quillmark::host
