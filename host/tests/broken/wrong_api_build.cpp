// Broken on purpose: a descriptor of another plugin interface build.
#include "test_module.h"

namespace {
class WrongApiBuild final : public BakkesMod::Plugin::BakkesModPlugin {};
}  // namespace

QUILLMARK_TEST_MODULE(WrongApiBuild, kPluginApiBuild - 1);
