// Accounting of live wrappers: a count and a check of release order.

#include "pluginsdk/tracked_wrapper.h"

#include <cstddef>
#include <mutex>

#include "pluginsdk/host/world.h"

namespace pluginsdk {
namespace {

// Wrappers may be made and dropped on any thread (a handle to the game
// wrapper can be released anywhere), so the list has a lock. It never
// allocates, so tracking cannot fail.
struct LiveList {
  std::mutex mutex;
  TrackedWrapper* newest = nullptr;
  std::size_t count = 0;
  std::size_t outOfOrder = 0;
};

LiveList& liveList() {
  static LiveList list;
  return list;
}

}  // namespace

TrackedWrapper::TrackedWrapper() noexcept : older_(nullptr), newer_(nullptr) {
  LiveList& list = liveList();
  const std::lock_guard lock(list.mutex);
  older_ = list.newest;
  if (older_ != nullptr) older_->newer_ = this;
  list.newest = this;
  ++list.count;
}

TrackedWrapper::TrackedWrapper(const TrackedWrapper&) noexcept : TrackedWrapper() {}

TrackedWrapper::~TrackedWrapper() {
  LiveList& list = liveList();
  const std::lock_guard lock(list.mutex);
  if (newer_ != nullptr) {
    ++list.outOfOrder;  // something obtained later is still alive
    newer_->older_ = older_;
  } else {
    list.newest = older_;
  }
  if (older_ != nullptr) older_->newer_ = newer_;
  --list.count;
}

namespace host {

std::size_t World::liveWrappers() const noexcept {
  LiveList& list = liveList();
  const std::lock_guard lock(list.mutex);
  return list.count;
}

std::size_t World::outOfOrderReleases() const noexcept {
  LiveList& list = liveList();
  const std::lock_guard lock(list.mutex);
  return list.outOfOrder;
}

}  // namespace host
}  // namespace pluginsdk
