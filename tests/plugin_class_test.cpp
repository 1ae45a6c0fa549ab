// The plugin object: what onLoad registers and shares, and how the plugin
// base class shares, moves and releases its two handles.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "pluginsdk/game_wrapper.h"
#include "replay_fixture.h"

namespace quillmark::test {
namespace {

using BakkesMod::Plugin::BakkesModPlugin;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class OnLoadTest : public PluginTest {
 protected:
  void TearDown() override {
    globalManagerHandle.reset();
    PluginTest::TearDown();
  }
};

TEST_F(OnLoadTest, RegistersOneDrawableThatRunsTheDrawPass) {
  plugin.onLoad();
  ASSERT_EQ(world.drawables().size(), 1u);
  EXPECT_THAT(world.calls(), ElementsAre(Operation::RegisterDrawable));

  world.scene = replayScene(1);
  canvas::RecordingCanvas canvas;
  world.draw(canvas);
  EXPECT_THAT(canvas.ops, ElementsAreArray(referencePanel("Ada", kAdaSettings)));
  EXPECT_EQ(wrappersLeft(), 0u);
}

TEST_F(OnLoadTest, SharesTheManagerIntoTheModuleWideHandle) {
  const long before = manager.use_count();
  plugin.onLoad();
  EXPECT_EQ(globalManagerHandle, manager);
  EXPECT_EQ(manager.use_count(), before + 1);
}

TEST_F(OnLoadTest, ASecondLoadRegistersAgainAndReassignsTheModuleWideHandle) {
  plugin.onLoad();
  auto secondManager = std::make_shared<ManagerWrapper>();
  plugin.managerHandle = secondManager;
  const long firstBefore = manager.use_count();

  plugin.onLoad();
  EXPECT_EQ(world.drawables().size(), 2u);
  EXPECT_EQ(globalManagerHandle, secondManager);
  EXPECT_EQ(manager.use_count(), firstBefore - 1);

  world.scene = replayScene(1);
  canvas::RecordingCanvas canvas;
  world.draw(canvas);
  EXPECT_THAT(canvas.ops, ElementsAreArray(expectedPanels(2, "Ada", kAdaSettings)));
}

TEST_F(OnLoadTest, WithoutAGameItSharesTheManagerAndRegistersNothing) {
  plugin.gameHandle.reset();
  plugin.onLoad();
  EXPECT_EQ(globalManagerHandle, manager);
  EXPECT_TRUE(world.drawables().empty());
  EXPECT_TRUE(world.calls().empty());
}

TEST_F(OnLoadTest, OnUnloadLeavesTheDrawableRegistered) {
  plugin.onLoad();
  world.clearCalls();
  plugin.onUnload();
  EXPECT_EQ(world.drawables().size(), 1u);
  EXPECT_TRUE(world.calls().empty());
}

// Handles whose deleters note, in order, which of them went.
class PluginHandlesTest : public ::testing::Test {
 protected:
  std::vector<std::string> released;

  BakkesModPlugin withHandles(const std::string& tag) {
    BakkesModPlugin plugin;
    plugin.managerHandle =
        std::shared_ptr<ManagerWrapper>(new ManagerWrapper{tag}, [this, tag](ManagerWrapper* m) {
          released.push_back("manager " + tag);
          delete m;
        });
    plugin.gameHandle = std::shared_ptr<GameWrapper>(new GameWrapper, [this, tag](GameWrapper* g) {
      released.push_back("game " + tag);
      delete g;
    });
    return plugin;
  }
};

TEST_F(PluginHandlesTest, DefaultConstructedHasBothHandlesEmpty) {
  const BakkesModPlugin plugin;
  EXPECT_EQ(plugin.managerHandle, nullptr);
  EXPECT_EQ(plugin.gameHandle, nullptr);
}

TEST_F(PluginHandlesTest, DestructionReleasesTheGameBeforeTheManager) {
  { const BakkesModPlugin plugin = withHandles("a"); }
  EXPECT_THAT(released, ElementsAre("game a", "manager a"));
}

TEST_F(PluginHandlesTest, CopiesShareBothHandles) {
  BakkesModPlugin original = withHandles("a");
  {
    const BakkesModPlugin copy(original);
    EXPECT_EQ(copy.managerHandle, original.managerHandle);
    EXPECT_EQ(original.managerHandle.use_count(), 2);
    EXPECT_EQ(original.gameHandle.use_count(), 2);
  }
  EXPECT_EQ(original.gameHandle.use_count(), 1);
  EXPECT_TRUE(released.empty());
}

TEST_F(PluginHandlesTest, CopyAssignmentSharesAndReleasesWhatTheTargetHeld) {
  const BakkesModPlugin source = withHandles("a");
  BakkesModPlugin target = withHandles("b");
  target = source;
  EXPECT_THAT(released, ElementsAre("manager b", "game b"));
  EXPECT_EQ(target.gameHandle, source.gameHandle);
  EXPECT_EQ(source.managerHandle.use_count(), 2);
}

TEST_F(PluginHandlesTest, MovingTakesBothHandlesAndEmptiesTheSource) {
  BakkesModPlugin source = withHandles("a");
  const BakkesModPlugin moved(std::move(source));
  EXPECT_EQ(source.managerHandle, nullptr);  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(source.gameHandle, nullptr);
  EXPECT_EQ(moved.managerHandle.use_count(), 1);
  EXPECT_TRUE(released.empty());
}

TEST_F(PluginHandlesTest, MoveAssignmentReleasesWhatTheTargetHeld) {
  BakkesModPlugin source = withHandles("a");
  BakkesModPlugin target = withHandles("b");
  target = std::move(source);
  EXPECT_THAT(released, ElementsAre("manager b", "game b"));
  EXPECT_EQ(source.gameHandle, nullptr);  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(target.managerHandle.use_count(), 1);
}

}  // namespace
}  // namespace quillmark::test
