// getPlugin when memory runs out: this program links the counting allocator,
// which can be told to fail an allocation, so the failure lands exactly on the
// plugin object's allocation or on its control block's.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <ostream>
#include <vector>

#include "Quillmark.h"
#include "counting_allocator.h"

extern "C" std::uintptr_t getPlugin();
extern "C" void deleteMe();

namespace quillmark::test {
namespace {

AllocationCounter& counter = allocationCounter();

class EntryAllocationTest : public ::testing::Test {
 protected:
  void TearDown() override { deleteMe(); }
};

// The failures below are aimed by position; this pins the positions: the
// object comes first, then its control block, and nothing else.
TEST_F(EntryAllocationTest, GetPluginAllocatesTheObjectThenItsControlBlock) {
  std::vector<std::size_t> sizes;
  sizes.reserve(8);
  counter.sizes = &sizes;
  getPlugin();
  counter.sizes = nullptr;
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0], sizeof(Quillmark));
}

struct FailureCase {
  const char* name;
  std::ptrdiff_t succeedBeforeFailing;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class AllocationFailureTest : public EntryAllocationTest,
                              public ::testing::WithParamInterface<FailureCase> {};

TEST_P(AllocationFailureTest, PropagatesAndLeavesNothing) {
  ASSERT_EQ(pluginInstance, nullptr);
  const std::ptrdiff_t liveBefore = counter.live;
  counter.succeedBeforeFailing = GetParam().succeedBeforeFailing;
  bool threw = false;
  try {
    getPlugin();
  } catch (const std::bad_alloc&) {
    threw = true;
  }
  counter.succeedBeforeFailing = -1;
  const std::ptrdiff_t liveAfter = counter.live;

  EXPECT_TRUE(threw) << "std::bad_alloc did not reach the caller";
  EXPECT_EQ(pluginInstance, nullptr);
  EXPECT_EQ(liveAfter, liveBefore) << "getPlugin leaked what it had allocated";

  // With memory back, the next call makes the plugin as usual.
  getPlugin();
  EXPECT_NE(pluginInstance, nullptr);
}

INSTANTIATE_TEST_SUITE_P(GetPlugin, AllocationFailureTest,
                         ::testing::Values(FailureCase{"ObjectAllocationFails", 0},
                                           FailureCase{"ControlBlockAllocationFails", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmark::test
