// libFuzzer harness of the draw pass: builds the world's scene from the
// input, runs the real pass, and aborts unless what it drew is exactly what
// the model says the scene calls for and every wrapper was let go. With a
// fault injected, the pass must throw the SDK's fault and have drawn exactly
// the calls made before the failing one.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "Quillmark.h"
#include "draw_pass_input.h"
#include "draw_pass_model.h"
#include "pluginsdk/host/sdk_fault.h"
#include "pluginsdk/host/world.h"
#include "recorded_canvas.h"

namespace {

using pluginsdk::host::Operation;
using pluginsdk::host::world;
using quillmark::canvas::CanvasOp;
using quillmark::fuzz::DrawPassInput;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "draw pass fuzzer: %s\n", what);
  std::abort();
}

// Replaces the car list just before the chosen Get call.
class ListChanger final : public pluginsdk::host::CallObserver {
 public:
  explicit ListChanger(const DrawPassInput& input) : input_(input) {}
  void onCall(Operation operation) override {
    if (operation != Operation::Get || !input_.change) return;
    if (++gets_ == input_.change->beforeGet) world().scene.event->cars = input_.change->cars;
  }

 private:
  const DrawPassInput& input_;
  std::uint32_t gets_ = 0;
};

struct PassResult {
  std::vector<CanvasOp> drawn;
  bool faulted = false;
};

// One pass over a fresh copy of the input's scene.
PassResult runPass(Quillmark& plugin, const DrawPassInput& input, std::uint64_t failAt) {
  world().scene = input.scene;
  ListChanger changer(input);
  world().setObserver(&changer);
  world().clearCalls();
  world().failAtCall(failAt);
  const std::size_t wrappersBefore = world().liveWrappers();
  const std::size_t outOfOrderBefore = world().outOfOrderReleases();

  quillmark::canvas::RecordingCanvas canvas;
  PassResult result;
  try {
    plugin.renderSettings(CanvasWrapper(canvas));
  } catch (const pluginsdk::host::SdkFault& fault) {
    if (fault.callNumber() != failAt) fail("a fault other than the injected one");
    result.faulted = true;
  }
  world().failAtCall(0);
  world().setObserver(nullptr);
  if (world().liveWrappers() != wrappersBefore) fail("a wrapper outlived the pass");
  if (world().outOfOrderReleases() != outOfOrderBefore) fail("wrappers released out of order");
  result.drawn = std::move(canvas.ops);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DrawPassInput input = quillmark::fuzz::decodeDrawPassInput(data, size);
  world().reset();
  Quillmark plugin;
  plugin.gameHandle = std::make_shared<GameWrapper>();

  const PassResult full = runPass(plugin, input, 0);
  if (full.faulted) fail("a pass without injection threw");
  if (full.drawn != quillmark::fuzz::expectedDrawing(input))
    fail("the pass drew other than the scene calls for");

  if (input.faultSelector) {
    const std::vector<Operation> calls = world().calls();
    // Now and then past the last call, where nothing may fail.
    const std::uint64_t failAt = 1 + *input.faultSelector % (calls.size() + 2);
    const PassResult cut = runPass(plugin, input, failAt);
    if (cut.faulted != (failAt <= calls.size()))
      fail("the injected fault did not reach the caller");
    std::size_t drawsBefore = 0;
    for (std::size_t i = 0; i + 1 < failAt && i < calls.size(); ++i)
      drawsBefore += pluginsdk::host::isDrawOperation(calls[i]) ? 1 : 0;
    if (cut.drawn.size() != drawsBefore ||
        !std::equal(cut.drawn.begin(), cut.drawn.end(), full.drawn.begin()))
      fail("the faulted pass drew other than the calls before the fault");
  }
  world().reset();
  return 0;
}
