// Threads: the handles a host gets from the module, and plugin objects, may
// be copied and dropped on any thread while the host thread unloads. Run
// under ThreadSanitizer (the tsan preset) these tests show any data race.

#include <gtest/gtest.h>

#include <array>
#include <barrier>
#include <cstdint>
#include <latch>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "Quillmark.h"
#include "pluginsdk/host/manager.h"
#include "pluginsdk/host/world.h"

extern "C" std::uintptr_t getPlugin();
extern "C" void deleteMe();

namespace {

using BakkesMod::Plugin::BakkesModPlugin;

constexpr int kThreads = 4;
constexpr int kRounds = 20;
constexpr int kCopiesPerThread = 200;

// Copies and drops `handle` many times over, then drops it.
template <typename T>
void churn(std::shared_ptr<T>& handle) {
  for (int i = 0; i < kCopiesPerThread; ++i) {
    std::shared_ptr<T> copy = handle;
    std::shared_ptr<T> another = copy;
    copy.reset();
  }
  handle.reset();
}

TEST(ThreadTest, HandlesDroppedOnSeveralThreadsWhileTheHostCallsDeleteMe) {
  pluginsdk::host::world().reset();
  const std::size_t wrappersBefore = pluginsdk::host::world().liveWrappers();
  auto manager = std::make_shared<ManagerWrapper>();

  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    auto& instance = *reinterpret_cast<std::shared_ptr<BakkesModPlugin>*>(getPlugin());
    instance->managerHandle = manager;
    instance->gameHandle = std::make_shared<GameWrapper>();
    instance->onLoad();
    const std::weak_ptr<BakkesModPlugin> plugin = instance;

    // The host hands each thread its own copies, made on the host thread.
    std::vector<std::pair<std::shared_ptr<BakkesModPlugin>, std::shared_ptr<ManagerWrapper>>>
        handed;
    for (int t = 0; t < kThreads; ++t) handed.emplace_back(instance, globalManagerHandle);

    std::latch start(kThreads + 1);
    std::vector<std::thread> threads;
    for (auto& copies : handed) {
      threads.emplace_back([&start, &copies] {
        start.arrive_and_wait();
        churn(copies.first);
        churn(copies.second);
      });
    }
    start.arrive_and_wait();
    deleteMe();
    for (std::thread& thread : threads) thread.join();

    EXPECT_TRUE(plugin.expired()) << "the plugin object outlived every handle";
    EXPECT_EQ(pluginInstance, nullptr);
    // The host's own and the module-wide share are all that is left.
    EXPECT_EQ(manager.use_count(), 2);
    globalManagerHandle.reset();
    pluginsdk::host::world().drawables().clear();
  }
  EXPECT_EQ(pluginsdk::host::world().liveWrappers(), wrappersBefore);
}

TEST(ThreadTest, PluginObjectsCopiedOnOneThreadAndDestroyedOnAnother) {
  pluginsdk::host::world().reset();
  const std::size_t wrappersBefore = pluginsdk::host::world().liveWrappers();
  Quillmark original;
  original.managerHandle = std::make_shared<ManagerWrapper>();
  original.gameHandle = std::make_shared<GameWrapper>();

  // Each thread fills its own slot with copies, then empties its
  // neighbour's, so every object dies on a thread other than its maker's.
  std::array<std::vector<std::optional<Quillmark>>, kThreads> slots;
  std::barrier phase(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        auto& mine = slots[static_cast<std::size_t>(t)];
        for (int i = 0; i < kCopiesPerThread / 10; ++i) {
          Quillmark copy(original);
          Quillmark assigned;
          assigned = copy;
          // A game handle of its own, so wrappers are made here and released
          // on the neighbour's thread: the SDK's tracking sees both.
          assigned.gameHandle = std::make_shared<GameWrapper>();
          mine.emplace_back(std::move(copy));
          mine.emplace_back(std::in_place, assigned);
          Quillmark moved(std::move(assigned));
          moved = std::move(*mine.back());
          mine.back() = std::move(moved);
        }
        phase.arrive_and_wait();
        slots[static_cast<std::size_t>((t + 1) % kThreads)].clear();
        phase.arrive_and_wait();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(original.managerHandle.use_count(), 1);
  EXPECT_EQ(original.gameHandle.use_count(), 1);
  original.gameHandle.reset();
  EXPECT_EQ(pluginsdk::host::world().liveWrappers(), wrappersBefore);
}

// Wrappers may be made and dropped on any thread; the SDK's accounting of
// them must hold up when several threads do so at once.
TEST(ThreadTest, WrappersMadeAndReleasedOnSeveralThreadsAtOnce) {
  const std::size_t wrappersBefore = pluginsdk::host::world().liveWrappers();
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&start] {
      start.arrive_and_wait();
      for (int i = 0; i < kCopiesPerThread; ++i) {
        const GameWrapper game;
        const GameWrapper copy(game);
        const CarWrapper car(0);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(pluginsdk::host::world().liveWrappers(), wrappersBefore);
}

}  // namespace
