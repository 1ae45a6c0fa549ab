// The process's one simulated game world: call log, fault injection, drawables.

#include "pluginsdk/host/world.h"

#include "pluginsdk/host/sdk_fault.h"

namespace pluginsdk::host {

namespace {

// Made on first use, out of line so that world(), which every SDK call asks
// for, stays a check of its guard and a load.
[[gnu::noinline]] World& makeWorld() {
  static World theWorld;
  return theWorld;
}

}  // namespace

World& world() {
  static World& theWorld = makeWorld();
  return theWorld;
}

void World::clearCalls() noexcept {
  callCount_ = 0;
  calls_.clear();
}

void World::record(Operation operation) {
  if (logging_) calls_.push_back(operation);
  if (observer_ != nullptr) observer_->onCall(operation);
  if (callCount_ == failAt_) throw SdkFault(callCount_);
}

void World::draw(CanvasSink& sink) {
  const CanvasWrapper canvas(sink);
  // By index: a drawable may register another while it runs, which the deque
  // allows without moving the one running.
  for (std::size_t i = 0; i < drawables_.size(); ++i) drawables_[i](canvas);
}

void World::reset() {
  scene = Scene{};
  failAt_ = 0;
  logging_ = true;
  observer_ = nullptr;
  clearCalls();
  drawables_.clear();
}

SdkFault::SdkFault(std::uint64_t callNumber)
    : std::runtime_error("SDK call failed as the host asked"), callNumber_(callNumber) {}

SdkFault::~SdkFault() = default;

}  // namespace pluginsdk::host
