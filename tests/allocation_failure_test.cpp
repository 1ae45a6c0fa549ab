// Out of memory at every allocation: the draw pass and getPlugin, with each
// of their allocations failed in turn, let std::bad_alloc reach the caller
// and leave nothing held, half drawn or leaked.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "failing_allocator.h"
#include "replay_fixture.h"

extern "C" std::uintptr_t getPlugin();
extern "C" void deleteMe();

namespace quillmark::test {
namespace {

// Longer than any short-string buffer, so the name is copied on the heap.
const std::string kLongName = "Augusta Ada King, Countess of Lovelace";

// What the canvas held when the failing allocation happened.
struct FailurePoint {
  const std::vector<CanvasOp>* ops;
  std::size_t drawnBefore = std::numeric_limits<std::size_t>::max();
};

void noteFailurePoint(void* context) noexcept {
  auto* point = static_cast<FailurePoint*>(context);
  point->drawnBefore = point->ops->size();
}

using AllocationFailureTest = PluginTest;

TEST_F(AllocationFailureTest, EveryAllocationOfAPassFailsCleanly) {
  world.scene = replayScene(6, kAdaSettings, kLongName);
  // The SDK's call log would allocate too; the failures are meant for the
  // pass itself.
  world.setLogging(false);
  const std::vector<CanvasOp> full = expectedPanels(6, kLongName, kAdaSettings);
  const std::size_t wrappersBefore = world.liveWrappers();
  const std::size_t outOfOrderBefore = world.outOfOrderReleases();

  std::uint64_t failing = 1;
  for (;; ++failing) {
    SCOPED_TRACE("allocation " + std::to_string(failing) + " fails");
    canvas::RecordingCanvas canvas;
    canvas.ops.reserve(full.size() + 1);  // the recording itself must not allocate
    FailurePoint point{&canvas.ops};
    allocator::onFailure(noteFailurePoint, &point);
    bool threw = false;
    allocator::arm(failing);
    try {
      plugin.renderSettings(CanvasWrapper(canvas));
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    allocator::disarm();
    allocator::onFailure(nullptr, nullptr);

    if (!allocator::failed()) {  // the pass needed fewer allocations: done
      EXPECT_FALSE(threw);
      EXPECT_EQ(canvas.ops, full);
      break;
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(world.liveWrappers(), wrappersBefore);
    EXPECT_EQ(world.outOfOrderReleases(), outOfOrderBefore);
    EXPECT_EQ(canvas.ops.size(), point.drawnBefore) << "drawn after the failure";
    ASSERT_LE(canvas.ops.size(), full.size());
    EXPECT_TRUE(std::equal(canvas.ops.begin(), canvas.ops.end(), full.begin()));
    EXPECT_EQ(drawPass(), full) << "the pass after the failure";
    if (::testing::Test::HasFailure()) break;  // one broken point tells enough
  }
  const std::uint64_t pointsTried = failing - 1;
  // Each panel copies the long name and builds its name line at least.
  EXPECT_GE(pointsTried, 12u);
  std::cout << "allocation failure points tried: " << pointsTried << "\n";
}

TEST(GetPluginAllocationFailureTest, EachAllocationFailsWithoutLeakOrHalfMadeHandle) {
  deleteMe();
  auto& instance = pluginInstance;
  ASSERT_EQ(instance, nullptr);

  // The plugin object, then its control block.
  for (std::uint64_t failing : {1u, 2u}) {
    SCOPED_TRACE("allocation " + std::to_string(failing) + " fails");
    bool threw = false;
    const std::int64_t before = allocator::outstanding();
    allocator::arm(failing);
    try {
      getPlugin();
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    allocator::disarm();
    const std::int64_t after = allocator::outstanding();
    EXPECT_TRUE(threw);
    EXPECT_EQ(instance, nullptr);
    EXPECT_EQ(after, before) << "something allocated was not freed";
  }

  const std::int64_t before = allocator::outstanding();
  allocator::arm(0);
  getPlugin();
  const std::uint64_t made = allocator::disarm();
  const bool filled = instance != nullptr;
  deleteMe();
  const std::int64_t after = allocator::outstanding();
  EXPECT_EQ(made, 2u) << "getPlugin makes exactly the object and its block";
  EXPECT_TRUE(filled);
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace quillmark::test
