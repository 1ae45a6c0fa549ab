// Broken on purpose: catches every failure of the SDK and draws on, so a
// fault never reaches the host.
#include "test_module.h"

namespace {
class SwallowsFault final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  void onLoad() override {
    gameHandle->RegisterDrawable([this](CanvasWrapper canvas) {
      try {
        if (!gameHandle->IsInReplay()) return;
      } catch (...) {
      }
      canvas.SetColor(255, 0, 0, 255);
      canvas.DrawRect({0, 0}, {10, 10});
    });
  }
};
}  // namespace

QUILLMARK_TEST_MODULE(SwallowsFault, kPluginApiBuild);
