// Test support: replay scenes, a Quillmark object over a fresh world, and the
// reference panels a scene calls for.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Quillmark.h"
#include "pluginsdk/host/manager.h"
#include "pluginsdk/host/world.h"
#include "recorded_canvas.h"
#include "reference_panel.h"

namespace quillmark::test {

using canvas::CanvasOp;
using canvas::printfFixed;
using canvas::referencePanel;
using pluginsdk::host::Operation;

constexpr std::uint64_t kAda = 0x100;      // the viewed player
constexpr std::uint64_t kNobody = 0xdead;  // a handle naming no player

inline constexpr ProfileCameraSettings kAdaSettings{110, 100, -3, 270, 0.5f, 4.7f, 1.2f};

// A replay whose camera views Ada, with `cars` cars that each have a driver.
pluginsdk::host::Scene replayScene(int cars, ProfileCameraSettings settings = kAdaSettings,
                                   std::string name = "Ada");

// `count` reference panels one after another.
std::vector<CanvasOp> expectedPanels(int count, const std::string& name,
                                     const ProfileCameraSettings& s);

// A Quillmark with both handles set, over a world reset for each test.
class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One call of the draw pass; returns what it drew.
  std::vector<CanvasOp> drawPass();
  // The calls the last pass made, by name.
  std::vector<std::string> callNames() const;
  std::size_t callsOf(Operation operation) const;

  // Wrappers alive beyond the game handle the fixture holds.
  std::size_t wrappersLeft() const;

  pluginsdk::host::World& world = pluginsdk::host::world();
  std::shared_ptr<ManagerWrapper> manager = std::make_shared<ManagerWrapper>();
  Quillmark plugin;

 private:
  std::size_t baseline_ = 0;
  std::size_t outOfOrderBaseline_ = 0;
};

}  // namespace quillmark::test
