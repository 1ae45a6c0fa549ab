// The base of every wrapper the SDK hands out.
#pragma once

#include "pluginsdk/export.h"

namespace pluginsdk {

// Every wrapper object is tracked from construction to destruction, so the
// host can tell how many a plugin still holds and whether it released them in
// the reverse of the order it obtained them. A copy or a move makes a new
// tracked object; assignment changes what a wrapper refers to, not which
// object it is, so it leaves the tracking alone.
class PLUGINSDK_API TrackedWrapper {
 protected:
  TrackedWrapper() noexcept;
  TrackedWrapper(const TrackedWrapper&) noexcept;
  TrackedWrapper& operator=(const TrackedWrapper&) noexcept { return *this; }
  ~TrackedWrapper();

 private:
  // Live wrappers form one list in order of construction (intrusive, so that
  // tracking never allocates).
  TrackedWrapper* older_;
  TrackedWrapper* newer_;
};

}  // namespace pluginsdk
