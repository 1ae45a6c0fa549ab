// The host's plugin manager, as far as this SDK models it.
#pragma once

#include <string>

// Plugins hold a shared handle to the manager and never call through it, so
// the SDK gives it no behaviour: hosts make one per plugin and watch its
// reference count.
class ManagerWrapper {
 public:
  std::string owner;  // which plugin it was made for, for the host's own messages
};
