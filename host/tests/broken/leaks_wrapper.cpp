// Broken on purpose: keeps a camera wrapper in a module-wide list that only
// unloading the module empties, so wrappers outlive the plugin object.
#include <vector>

#include "test_module.h"

namespace {
std::vector<CameraWrapper> kept;

class LeaksWrapper final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  void onLoad() override {
    gameHandle->RegisterDrawable(
        [this](CanvasWrapper) { kept.push_back(gameHandle->GetCamera()); });
  }
};
}  // namespace

QUILLMARK_TEST_MODULE(LeaksWrapper, kPluginApiBuild);
