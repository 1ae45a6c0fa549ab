// Scenes made from a seed for `validate`: every link of the chain from game
// to viewed player sometimes null, car lists that change length between two
// calls, awkward names and settings.
#pragma once

#include <cstdint>

#include "panel_model.h"
#include "pluginsdk/host/world.h"

namespace quillmark::host {

struct GeneratedScene {
  pluginsdk::host::Scene scene;  // its event's cars are cars.pool at the start
  ChangingCars cars;
};

// The `index`th scene of `seed`; the same pair always gives the same scene.
GeneratedScene generateScene(std::uint64_t seed, std::uint64_t index);

// Changes the world's car list each time the plugin asks for its count, as
// `cars` says.
class CarListChanger final : public pluginsdk::host::CallObserver {
 public:
  explicit CarListChanger(const ChangingCars& cars) : cars_(cars) {}
  void onCall(pluginsdk::host::Operation operation) override;

 private:
  const ChangingCars& cars_;
  std::size_t countCalls_ = 0;
};

}  // namespace quillmark::host
