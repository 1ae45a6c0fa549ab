// The simulated game behind the SDK's wrappers, filled in by a host program.
//
// Sections: the scene (what the game shows), the call log and fault
// injection (what the plugin asked), wrapper accounting (what it still
// holds), and drawables (what it registered).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "pluginsdk/canvas_wrapper.h"
#include "pluginsdk/export.h"
#include "pluginsdk/host/canvas_sink.h"
#include "pluginsdk/host/operations.h"
#include "pluginsdk/records.h"

namespace pluginsdk::host {

struct Player {
  std::string name;                // narrow bytes, passed through unchanged
  ProfileCameraSettings camera{};  // what GetCameraSettings answers
  bool hasCar = true;              // false: GetCar answers a null car
};

struct Car {
  std::uint64_t pri = 0;  // player handle of its driver; one naming no player: no player info
};

struct Camera {
  std::uint64_t viewTarget = 0;  // PriHandle of its view target; may name no player
};

struct ReplayEvent {
  std::vector<std::optional<Car>> cars;  // nullopt: a null car
};

// What the game is showing. Player handles are keys of `players`; any value
// below 2^56 but 0 may be used, and one that is no key names no player.
struct Scene {
  bool inReplay = false;
  std::optional<Camera> camera;  // nullopt: no active camera
  std::map<std::uint64_t, Player> players;
  std::optional<ReplayEvent> event;  // nullopt: no replay event
};

// Told of every SDK call before it answers; may change the scene, which is
// how a host makes a car list change length between two calls.
class CallObserver {
 public:
  virtual void onCall(Operation operation) = 0;

 protected:
  ~CallObserver() = default;
};

using Drawable = std::function<void(CanvasWrapper)>;

class PLUGINSDK_API World {
 public:
  Scene scene;

  // --- Call log and fault injection -------------------------------------
  // Every SDK call a plugin makes is counted, logged (unless logging is off)
  // and shown to the observer, in that order.
  std::uint64_t callCount() const noexcept { return callCount_; }
  const std::vector<Operation>& calls() const noexcept { return calls_; }
  void setLogging(bool on) noexcept { logging_ = on; }
  void setObserver(CallObserver* observer) noexcept { observer_ = observer; }
  // The call with this number (1-based, counted since clearCalls) throws
  // SdkFault instead of answering; 0 turns injection off.
  void failAtCall(std::uint64_t callNumber) noexcept { failAt_ = callNumber; }
  // Empties the log and restarts the count; injection and observer stay.
  void clearCalls() noexcept;

  // --- Wrapper accounting -------------------------------------------------
  std::size_t liveWrappers() const noexcept;
  // Releases of a wrapper that was not the most recently obtained live one.
  std::size_t outOfOrderReleases() const noexcept;

  // --- Drawables ----------------------------------------------------------
  std::deque<Drawable>& drawables() noexcept { return drawables_; }
  // Calls every drawable once with a canvas over `sink`.
  void draw(CanvasSink& sink);

  // Back to an empty scene, log and drawables; accounting is not reset, as
  // wrappers still alive stay counted.
  void reset();

  // Used by the wrappers themselves: count, log and observe one call, and
  // throw if this is the call to fail. Inline, as every SDK call makes it:
  // a call that is neither logged, observed nor failed only counts.
  void enter(Operation operation) {
    ++callCount_;
    if (logging_ || observer_ != nullptr || callCount_ == failAt_) record(operation);
  }

 private:
  // The rest of enter: logs, observes, then throws if this is the call to fail.
  void record(Operation operation);

  std::uint64_t callCount_ = 0;
  std::uint64_t failAt_ = 0;
  bool logging_ = true;
  CallObserver* observer_ = nullptr;
  std::vector<Operation> calls_;
  std::deque<Drawable> drawables_;  // a deque: registering while drawing moves none
};

// The one world of this process, which every wrapper consults.
PLUGINSDK_API World& world();

}  // namespace pluginsdk::host
