// Accounting of live wrappers: a count and a check of release order.

#include "pluginsdk/tracked_wrapper.h"

#include <atomic>
#include <cstddef>
#include <thread>

#if defined(__GLIBC__)
#include <sys/single_threaded.h>
#endif

#include "pluginsdk/host/world.h"

namespace pluginsdk {
namespace {

// Wrappers may be made and dropped on any thread (a handle to the game
// wrapper can be released anywhere), so the list has a lock. It is a spin
// lock rather than a mutex: it is taken for a few stores around every wrapper
// a plugin obtains, almost never contended, and cheaper to take and release.
// It never allocates, so tracking cannot fail.
class SpinLock {
 public:
  void lock() noexcept {
    while (held_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  }
  void unlock() noexcept { held_.clear(std::memory_order_release); }

 private:
  std::atomic_flag held_ = ATOMIC_FLAG_INIT;
};

// Takes the lock only while the process has more than one thread. With one
// thread nothing else can touch the list, and the lock's atomic instruction is
// most of what tracking a wrapper costs; libstdc++ skips the atomics of
// shared_ptr counts the same way. A thread is only made by a running thread,
// so the check can never miss one that is already there.
class ListGuard {
 public:
  explicit ListGuard(SpinLock& lock) noexcept : lock_(singleThreaded() ? nullptr : &lock) {
    if (lock_ != nullptr) lock_->lock();
  }
  ListGuard(const ListGuard&) = delete;
  ListGuard& operator=(const ListGuard&) = delete;
  ~ListGuard() {
    if (lock_ != nullptr) lock_->unlock();
  }

 private:
  static bool singleThreaded() noexcept {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
    return __libc_single_threaded != 0;
#else
    return false;
#endif
  }

  SpinLock* lock_;
};

struct LiveList {
  SpinLock lock;
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
  const ListGuard guard(list.lock);
  older_ = list.newest;
  if (older_ != nullptr) older_->newer_ = this;
  list.newest = this;
  ++list.count;
}

TrackedWrapper::TrackedWrapper(const TrackedWrapper&) noexcept : TrackedWrapper() {}

TrackedWrapper::~TrackedWrapper() {
  LiveList& list = liveList();
  const ListGuard guard(list.lock);
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
  const ListGuard guard(list.lock);
  return list.count;
}

std::size_t World::outOfOrderReleases() const noexcept {
  LiveList& list = liveList();
  const ListGuard guard(list.lock);
  return list.outOfOrder;
}

}  // namespace host
}  // namespace pluginsdk
