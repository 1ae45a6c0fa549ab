// The draw pass: when it draws, what it draws, what it asks the game, and
// that it lets go of everything on every way out.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "pluginsdk/host/sdk_fault.h"
#include "replay_fixture.h"

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using DrawPassTest = PluginTest;

TEST_F(DrawPassTest, OutsideAReplayAsksNothingMoreAndDrawsNothing) {
  world.scene = replayScene(6);
  world.scene.inReplay = false;

  EXPECT_THAT(drawPass(), IsEmpty());
  EXPECT_THAT(callNames(), ElementsAre("GameWrapper::IsInReplay"));
  EXPECT_EQ(wrappersLeft(), 0u);
}

struct AbsentLink {
  const char* what;
  std::function<void(pluginsdk::host::Scene&)> breakScene;
  Operation lastCall;  // the query whose answer ends the pass
  friend void PrintTo(const AbsentLink& link, std::ostream* out) { *out << link.what; }
};

class AbsentLinkTest : public PluginTest, public ::testing::WithParamInterface<AbsentLink> {};

TEST_P(AbsentLinkTest, DrawsNothingAndReleasesEverything) {
  world.scene = replayScene(6);
  GetParam().breakScene(world.scene);

  EXPECT_THAT(drawPass(), IsEmpty());
  ASSERT_FALSE(world.calls().empty());
  EXPECT_EQ(world.calls().back(), GetParam().lastCall);
  EXPECT_EQ(wrappersLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    EachLinkOfTheChain, AbsentLinkTest,
    ::testing::Values(
        AbsentLink{"NullCamera", [](auto& s) { s.camera.reset(); }, Operation::IsNull},
        AbsentLink{"ViewTargetNamesNoPlayer", [](auto& s) { s.camera->viewTarget = kNobody; },
                   Operation::IsNull},
        AbsentLink{"ViewTargetZero", [](auto& s) { s.camera->viewTarget = 0; }, Operation::IsNull},
        AbsentLink{"NullReplayEvent", [](auto& s) { s.event.reset(); }, Operation::IsNull},
        AbsentLink{"EmptyCarList", [](auto& s) { s.event->cars.clear(); }, Operation::Count},
        AbsentLink{"AllCarsNull",
                   [](auto& s) {
                     for (auto& car : s.event->cars) car.reset();
                   },
                   Operation::Count},
        AbsentLink{"NoCarHasPlayerInfo",
                   [](auto& s) {
                     for (auto& car : s.event->cars) car->pri = 0;
                   },
                   Operation::Count}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(DrawPassTest, NullCarsAndCarsWithoutPlayerInfoAreSkipped) {
  world.scene = replayScene(4);
  world.scene.event->cars[1].reset();
  world.scene.event->cars[3]->pri = kNobody;

  EXPECT_THAT(drawPass(), ElementsAreArray(expectedPanels(2, "Ada", kAdaSettings)));
  EXPECT_EQ(wrappersLeft(), 0u);
}

TEST_F(DrawPassTest, APanelForEveryQualifyingCarShowsTheViewedPlayerEachTime) {
  world.scene = replayScene(6);
  EXPECT_THAT(drawPass(), ElementsAreArray(expectedPanels(6, "Ada", kAdaSettings)));
}

TEST_F(DrawPassTest, ViewedPlayerWithoutACarDrawsNothingButIsAskedPerQualifyingCar) {
  world.scene = replayScene(5);
  world.scene.players[kAda].hasCar = false;
  world.scene.event->cars[0].reset();   // fails the car check
  world.scene.event->cars[2]->pri = 0;  // fails the player-info check

  EXPECT_THAT(drawPass(), IsEmpty());
  EXPECT_EQ(callsOf(Operation::GetCar), 3u);
  EXPECT_EQ(wrappersLeft(), 0u);
}

TEST_F(DrawPassTest, OneCarMakesExactlyTheseCallsInThisOrder) {
  world.scene = replayScene(1);

  EXPECT_THAT(drawPass(), ElementsAreArray(referencePanel("Ada", kAdaSettings)));

  std::vector<std::string> expected = {"GameWrapper::IsInReplay",
                                       "GameWrapper::GetCamera",
                                       "ActorWrapper::IsNull",
                                       "BaseCameraWrapper::GetViewTarget",
                                       "PriWrapper::PriWrapper",
                                       "ActorWrapper::IsNull",
                                       "GameWrapper::GetGameEventAsReplay",
                                       "ActorWrapper::IsNull",
                                       "GameEventWrapper::GetCars",
                                       "ArrayWrapper::Count",
                                       "ArrayWrapper::Count",
                                       "ArrayWrapper::Get",
                                       "ActorWrapper::IsNull",
                                       "VehicleWrapper::GetPRI",
                                       "ActorWrapper::IsNull",
                                       "PriWrapper::GetCar",
                                       "ActorWrapper::IsNull",
                                       "CanvasWrapper::SetColor",
                                       "CanvasWrapper::DrawRect",
                                       "CanvasWrapper::SetColor",
                                       "CanvasWrapper::SetPosition",
                                       "PlayerReplicationInfoWrapper::GetPlayerName",
                                       "UnrealStringWrapper::ToString",
                                       "CanvasWrapper::DrawString"};
  for (int row = 0; row < 7; ++row) {
    expected.insert(expected.end(), {"CanvasWrapper::SetPosition", "PriWrapper::GetCameraSettings",
                                     "CanvasWrapper::DrawString"});
  }
  expected.insert(expected.end(), {"CanvasWrapper::SetPosition", "ArrayWrapper::Count"});
  EXPECT_THAT(callNames(), ElementsAreArray(expected));
}

TEST_F(DrawPassTest, SettingsAppearInPanelOrderWithSixDecimals) {
  world.scene = replayScene(1, {90, 5, -3, 270, 0.45f, 4.7f, 1.2f});

  std::vector<std::string> texts;
  for (const CanvasOp& op : drawPass())
    if (const auto* text = std::get_if<canvas::DrawString>(&op)) texts.push_back(text->text);

  EXPECT_THAT(texts, ElementsAre("Player Settings: Ada", "FOV: 90.000000", "Distance: 270.000000",
                                 "Height: 5.000000", "Angle: -3.000000", "Stiffness: 0.450000",
                                 "Swivel Speed: 4.700000", "Transition Speed: 1.200000"));
}

TEST_F(DrawPassTest, AnEmptyNameKeepsTheLabelsTrailingSpace) {
  world.scene = replayScene(1, kAdaSettings, "");
  const auto ops = drawPass();
  ASSERT_GT(ops.size(), 4u);
  EXPECT_EQ(std::get<canvas::DrawString>(ops[4]).text, "Player Settings: ");
}

TEST_F(DrawPassTest, EachRowReadsTheSettingsAgain) {
  world.scene = replayScene(1);
  // The game changes the settings after every read: each row shows the value
  // current when it was drawn.
  struct Bump final : pluginsdk::host::CallObserver {
    pluginsdk::host::Scene* scene;
    void onCall(Operation operation) override {
      if (operation == Operation::GetCameraSettings) scene->players[kAda].camera.FOV += 1;
    }
  } bump;
  bump.scene = &world.scene;
  world.setObserver(&bump);

  const auto ops = drawPass();
  world.setObserver(nullptr);
  EXPECT_EQ(callsOf(Operation::GetCameraSettings), 7u);
  EXPECT_EQ(std::get<canvas::DrawString>(ops[6]).text, "FOV: 111.000000");
}

// The list is the game's: it may grow or shrink while the pass walks it.
struct ChangingList {
  const char* what;
  int carsAtStart;
  int carsAfterFirstGet;
  int panels;
  friend void PrintTo(const ChangingList& list, std::ostream* out) { *out << list.what; }
};

class ChangingListTest : public PluginTest, public ::testing::WithParamInterface<ChangingList> {};

TEST_P(ChangingListTest, CountIsAskedBeforeEveryIndex) {
  world.scene = replayScene(GetParam().carsAtStart);
  const pluginsdk::host::Scene grown = replayScene(GetParam().carsAfterFirstGet);
  struct Resize final : pluginsdk::host::CallObserver {
    pluginsdk::host::Scene* scene;
    const pluginsdk::host::Scene* after;
    bool done = false;
    void onCall(Operation operation) override {
      if (operation == Operation::Get && !done) {
        *scene = *after;
        done = true;
      }
    }
  } resize;
  resize.scene = &world.scene;
  resize.after = &grown;
  world.setObserver(&resize);

  const auto ops = drawPass();
  world.setObserver(nullptr);
  EXPECT_THAT(ops, ElementsAreArray(expectedPanels(GetParam().panels, "Ada", kAdaSettings)));
  EXPECT_EQ(wrappersLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(WhileDrawing, ChangingListTest,
                         ::testing::Values(ChangingList{"Grows", 2, 5, 5},
                                           ChangingList{"Shrinks", 6, 2, 2},
                                           ChangingList{"Empties", 3, 0, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(DrawPassTest, AFaultAtAnyCallReachesTheCallerAndLeavesNothingHeld) {
  world.scene = replayScene(2);
  drawPass();
  const std::uint64_t callsInFullPass = world.callCount();
  const std::vector<CanvasOp> fullPanels = expectedPanels(2, "Ada", kAdaSettings);
  ASSERT_GT(callsInFullPass, 60u);

  for (std::uint64_t failing = 1; failing <= callsInFullPass; ++failing) {
    SCOPED_TRACE("fault at call " + std::to_string(failing));
    canvas::RecordingCanvas canvas;
    world.clearCalls();
    world.failAtCall(failing);
    EXPECT_THROW(plugin.renderSettings(CanvasWrapper(canvas)), pluginsdk::host::SdkFault);
    world.failAtCall(0);
    EXPECT_EQ(wrappersLeft(), 0u);
    // What was drawn is the full pass cut off before the failing call.
    ASSERT_LE(canvas.ops.size(), fullPanels.size());
    EXPECT_TRUE(std::equal(canvas.ops.begin(), canvas.ops.end(), fullPanels.begin()));
    std::size_t drawsMade = 0;
    for (std::size_t i = 0; i + 1 < world.calls().size(); ++i)
      drawsMade += pluginsdk::host::isDrawOperation(world.calls()[i]) ? 1 : 0;
    EXPECT_EQ(canvas.ops.size(), drawsMade);

    EXPECT_THAT(drawPass(), ElementsAreArray(fullPanels));
  }
}

}  // namespace
}  // namespace quillmark::test
