// The module as a host meets it: loaded from its file by the platform's own
// loader, reached only through the names it exports, and unloaded again.
// This program links the SDK but none of the plugin's code.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "loaded_module.h"
#include "pluginsdk/game_wrapper.h"
#include "pluginsdk/host/manager.h"
#include "pluginsdk/host/sdk_fault.h"
#include "pluginsdk/host/world.h"
#include "pluginsdk/plugin.h"
#include "pluginsdk/plugin_descriptor.h"
#include "recorded_canvas.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace quillmark::test {
namespace {

using BakkesMod::Plugin::BakkesModPlugin;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using PluginHandle = std::shared_ptr<BakkesModPlugin>;

const std::string kModulePath = QUILLMARK_MODULE_PATH;

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world.reset();
    baseline_ = world.liveWrappers();
    load();
  }

  void TearDown() override {
    unload();
    EXPECT_FALSE(LoadedModule::isLoaded(kModulePath));
    EXPECT_EQ(world.liveWrappers(), baseline_);
    world.reset();
  }

  void load() {
    module_.emplace(kModulePath);
    exports = module_->symbolAs<const PluginDescriptor>("exports");
    getPlugin = reinterpret_cast<std::uintptr_t (*)()>(module_->symbol("getPlugin"));
    deleteMe = reinterpret_cast<void (*)()>(module_->symbol("deleteMe"));
  }

  // As a host unloads: first the drawables the module registered go, since
  // their code lives in the module.
  void unload() {
    world.drawables().clear();
    if (module_) module_->unload();
    module_.reset();
  }

  PluginHandle& instance() { return *reinterpret_cast<PluginHandle*>(getPlugin()); }

  // Makes the plugin and loads it as a host does. The host keeps no
  // reference of its own to the manager or the game; their deleters note in
  // `events` when each goes, the game's with how many references to the
  // manager were left at that moment.
  void startPlugin() {
    PluginHandle& plugin = instance();
    ASSERT_EQ(plugin.use_count(), 1);
    ASSERT_EQ(plugin->gameHandle, nullptr) << "getPlugin gave an object made earlier";
    auto manager =
        std::shared_ptr<ManagerWrapper>(new ManagerWrapper{"Quillmark"}, [this](ManagerWrapper* m) {
          events.push_back("manager");
          delete m;
        });
    managerWatch_ = manager;
    plugin->managerHandle = std::move(manager);
    plugin->gameHandle = std::shared_ptr<GameWrapper>(new GameWrapper, [this](GameWrapper* g) {
      events.push_back("game, manager refs " + std::to_string(managerWatch_.use_count()));
      delete g;
    });
    plugin->onLoad();
  }

  std::size_t wrappersLeft() const { return world.liveWrappers() - baseline_; }
  void* symbol(const char* name) const { return module_->symbol(name); }

  pluginsdk::host::World& world = pluginsdk::host::world();
  const PluginDescriptor* exports = nullptr;
  std::uintptr_t (*getPlugin)() = nullptr;
  void (*deleteMe)() = nullptr;
  std::vector<std::string> events;

 private:
  std::optional<LoadedModule> module_;
  std::weak_ptr<ManagerWrapper> managerWatch_;
  std::size_t baseline_ = 0;
};

// --- The descriptor ---------------------------------------------------------

std::uint64_t wordAt(const unsigned char* bytes, std::size_t offset) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes + offset, sizeof word);
  return word;
}

const char* textAt(const unsigned char* bytes, std::size_t offset) {
  return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(wordAt(bytes, offset)));
}

std::vector<int> bytesAt(const unsigned char* bytes, std::size_t offset, std::size_t count) {
  return std::vector<int>(bytes + offset, bytes + offset + count);
}

TEST_F(LoaderTest, ExportsCarriesEveryFieldAndZeroGaps) {
  unsigned char bytes[64];
  std::memcpy(bytes, exports, sizeof bytes);

  // apiBuild 95 and its gap; typeFlags 0x10 and its gap, little-endian.
  EXPECT_THAT(bytesAt(bytes, 0, 8), ElementsAre(95, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_THAT(bytesAt(bytes, 40, 8), ElementsAre(0x10, 0, 0, 0, 0, 0, 0, 0));

  std::string source = textAt(bytes, 8);
  for (char& c : source) c = c == '\\' ? '/' : c;
  EXPECT_THAT(source, EndsWith("/Quillmark/Quillmark.cpp"));
  const bool absolute = source.starts_with('/') ||
                        (source.size() > 2 && std::isalpha(static_cast<unsigned char>(source[0])) &&
                         source[1] == ':');
  EXPECT_TRUE(absolute) << source;
  EXPECT_STREQ(textAt(bytes, 16), "Quillmark");
  EXPECT_STREQ(textAt(bytes, 24), "Quillmark");
  EXPECT_STREQ(textAt(bytes, 32), "1.0.0.26");
  EXPECT_EQ(wordAt(bytes, 48), reinterpret_cast<std::uintptr_t>(symbol("getPlugin")));
  EXPECT_EQ(wordAt(bytes, 56), reinterpret_cast<std::uintptr_t>(symbol("deleteMe")));
}

// --- The entry points -------------------------------------------------------

TEST_F(LoaderTest, TwoGetPluginCallsGiveOneObjectAtOneAddress) {
  const std::uintptr_t first = getPlugin();
  const BakkesModPlugin* object = reinterpret_cast<PluginHandle*>(first)->get();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(getPlugin(), first);
  EXPECT_EQ(reinterpret_cast<PluginHandle*>(first)->get(), object);
  EXPECT_EQ(reinterpret_cast<PluginHandle*>(first)->use_count(), 1);
}

TEST_F(LoaderTest, DeleteMeThenGetPluginGivesANewObjectAtTheSameAddress) {
  const std::uintptr_t address = getPlugin();
  const std::weak_ptr<BakkesModPlugin> first = instance();
  deleteMe();
  EXPECT_TRUE(first.expired());
  EXPECT_EQ(reinterpret_cast<PluginHandle*>(address)->get(), nullptr);

  EXPECT_EQ(getPlugin(), address);
  EXPECT_NE(instance(), nullptr);
  EXPECT_TRUE(first.expired());  // still gone: the handle holds another object
}

TEST_F(LoaderTest, DeleteMeOnAnEmptyHandleAndTwiceDoesNothing) {
  deleteMe();  // before any getPlugin
  const std::uintptr_t address = getPlugin();
  deleteMe();
  deleteMe();
  const auto& handle = *reinterpret_cast<PluginHandle*>(address);
  EXPECT_EQ(handle.get(), nullptr);
  EXPECT_EQ(handle.use_count(), 0);
}

TEST_F(LoaderTest, AHostCopyKeepsTheObjectAlivePastDeleteMe) {
  const std::uintptr_t address = getPlugin();
  PluginHandle copy = instance();
  const std::weak_ptr<BakkesModPlugin> watch = copy;
  deleteMe();
  EXPECT_EQ(reinterpret_cast<PluginHandle*>(address)->get(), nullptr);
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(copy.use_count(), 1);
  copy.reset();
  EXPECT_TRUE(watch.expired());
}

// --- Teardown order ----------------------------------------------------------

struct TeardownCase {
  const char* name;
  bool deleteMeFirst;
  std::vector<std::string> events;
  friend void PrintTo(const TeardownCase& c, std::ostream* os) { *os << c.name; }
};

class TeardownOrderTest : public LoaderTest, public ::testing::WithParamInterface<TeardownCase> {};

// At unload the module releases globalManagerHandle before pluginInstance, so
// the object, going last, leaves its own reference as the manager's only one
// when its game goes. After deleteMe the object has gone before the unload,
// while globalManagerHandle still shared the manager.
TEST_P(TeardownOrderTest, ManagerAndGameGoInTheModulesOrder) {
  startPlugin();
  ASSERT_EQ(world.drawables().size(), 1u);
  instance()->onUnload();
  if (GetParam().deleteMeFirst) deleteMe();
  events.push_back("unload");
  unload();
  EXPECT_EQ(events, GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    AtUnload, TeardownOrderTest,
    ::testing::Values(
        TeardownCase{"WithoutDeleteMe", false, {"unload", "game, manager refs 1", "manager"}},
        TeardownCase{"AfterDeleteMe", true, {"game, manager refs 2", "unload", "manager"}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Load and unload, many times ---------------------------------------------

// Nothing that came from the module may outlive it here, a weak_ptr to the
// plugin included (its control block's code lives in the module), so the
// object's end shows as its game going.
TEST_F(LoaderTest, RepeatedLoadAndUnloadLeavesNothingBehind) {
  constexpr int kCycles = 200;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    if (cycle > 0) load();
    // A module made anew starts with an empty handle, so getPlugin makes the
    // object (and the host gives it a game) in every cycle.
    startPlugin();
    instance()->onUnload();
    if (cycle % 2 == 1) deleteMe();
    unload();

    // The module is gone, and with it every static it had: the object went
    // (and its game with it) and both module-wide references to the manager
    // were released.
    ASSERT_FALSE(LoadedModule::isLoaded(kModulePath));
    ASSERT_EQ(events.size(), 2u);
    ASSERT_THAT(events[0], ::testing::StartsWith("game"));
    ASSERT_EQ(events[1], "manager");
    ASSERT_EQ(wrappersLeft(), 0u);
    events.clear();
  }
}

// --- A fault inside the SDK ---------------------------------------------------

pluginsdk::host::Scene replayViewingAda() {
  constexpr std::uint64_t kAda = 0x100;
  pluginsdk::host::Scene scene;
  scene.inReplay = true;
  scene.camera = pluginsdk::host::Camera{kAda};
  scene.players[kAda] = pluginsdk::host::Player{"Ada", {110, 100, -3, 270, 0.5f, 4.7f, 1.2f}};
  scene.event = pluginsdk::host::ReplayEvent{{pluginsdk::host::Car{kAda}}};
  return scene;
}

// The SDK throws from pluginsdk's code, through the module's draw pass, to
// this program: whichever call fails, the fault arrives intact and the pass
// has released every wrapper it held.
TEST_F(LoaderTest, AnSdkFaultCrossesTheModuleWithEveryWrapperReleased) {
  startPlugin();
  world.scene = replayViewingAda();
  world.clearCalls();
  canvas::RecordingCanvas canvas;
  world.draw(canvas);
  const std::uint64_t callsPerPass = world.callCount();
  ASSERT_GT(callsPerPass, 10u);
  ASSERT_FALSE(canvas.ops.empty()) << "the scene draws no panel";
  const std::size_t wrappersBefore = wrappersLeft();
  const std::size_t outOfOrderBefore = world.outOfOrderReleases();

  for (std::uint64_t failing = 1; failing <= callsPerPass; ++failing) {
    SCOPED_TRACE("failing call " + std::to_string(failing));
    world.clearCalls();
    world.failAtCall(failing);
    std::optional<std::uint64_t> faultAt;
    try {
      world.draw(canvas);
    } catch (const pluginsdk::host::SdkFault& fault) {
      faultAt = fault.callNumber();
    }
    EXPECT_EQ(faultAt, failing);
    EXPECT_EQ(wrappersLeft(), wrappersBefore);
    EXPECT_EQ(world.outOfOrderReleases(), outOfOrderBefore);
  }
  world.failAtCall(0);
}

// --- The Windows version record ----------------------------------------------

#if defined(_WIN32)
// What Explorer shows for the file, read through the Windows version API.
class VersionRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(kModulePath.c_str(), &ignored);
    ASSERT_NE(size, 0u) << kModulePath << " has no version record";
    record.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(kModulePath.c_str(), 0, size, record.data()));
  }

  std::string text(const char* key) {
    const std::string path = std::string("\\StringFileInfo\\041404b0\\") + key;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(record.data(), path.c_str(), &value, &length) || length == 0) {
      return "(no " + path + ")";
    }
    return static_cast<const char*>(value);
  }

  std::vector<char> record;
};

TEST_F(VersionRecordTest, FixedPartNamesVersion1_0_0_26) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 0u);
  EXPECT_EQ(fixed->dwFileVersionLS, (0u << 16) | 26u);
  EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 0u);
  EXPECT_EQ(fixed->dwProductVersionLS, (0u << 16) | 26u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionRecordTest, TranslationIsNorwegianBokmalInUnicode) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto* pair = static_cast<const WORD*>(value);
  EXPECT_EQ(pair[0], 0x0414);
  EXPECT_EQ(pair[1], 1200);
}

TEST_F(VersionRecordTest, StringTableNamesTheFileAndItsVersion) {
  EXPECT_EQ(text("InternalName"), "Quillmark.dll");
  EXPECT_EQ(text("OriginalFilename"), "Quillmark.dll");
  EXPECT_EQ(text("FileVersion"), "1.0.0.26");
  EXPECT_EQ(text("ProductVersion"), "1.0.0.26");
  EXPECT_EQ(text("ProductName"), "Quillmark");
}
#endif

}  // namespace
}  // namespace quillmark::test
