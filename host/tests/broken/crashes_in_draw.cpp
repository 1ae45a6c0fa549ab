// Broken on purpose: dies of a signal in its draw pass.
#include <csignal>

#include "test_module.h"

namespace {
class CrashesInDraw final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  void onLoad() override {
    gameHandle->RegisterDrawable([](CanvasWrapper) { std::raise(SIGSEGV); });
  }
};
}  // namespace

QUILLMARK_TEST_MODULE(CrashesInDraw, kPluginApiBuild);
