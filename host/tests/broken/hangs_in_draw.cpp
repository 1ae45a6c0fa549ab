// Broken on purpose: never returns from its draw pass.
#include <atomic>

#include "test_module.h"

namespace {
std::atomic<bool> forever{true};

class HangsInDraw final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  void onLoad() override {
    gameHandle->RegisterDrawable([](CanvasWrapper) {
      while (forever.load()) {
      }
    });
  }
};
}  // namespace

QUILLMARK_TEST_MODULE(HangsInDraw, kPluginApiBuild);
