#include "scene_generator.h"

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "scene_reader.h"

namespace quillmark::host {

namespace {

using Random = std::mt19937_64;

bool chance(Random& random, double p) { return std::bernoulli_distribution(p)(random); }

template <typename T>
const T& pickOne(Random& random, const std::vector<T>& from) {
  return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

std::string name(Random& random) {
  static const std::vector<std::string> kNames = {
      "Ada",
      "",
      "Zoë",
      "日本語の名前",
      "🚗💨",
      "\xff\xfe not UTF-8 \xc3",
      std::string("nul\0inside", 10),
      "%s%n%f",
      "\"quotes\" and \\backslashes\\",
  };
  if (chance(random, 0.1)) {
    return std::string(std::uniform_int_distribution<std::size_t>(200, 5000)(random), 'W');
  }
  return pickOne(random, kNames);
}

float setting(Random& random) {
  using limits = std::numeric_limits<float>;
  static const std::vector<float> kSpecial = {0.0f,
                                              -0.0f,
                                              -3.0f,
                                              -1e9f,
                                              1e30f,
                                              limits::max(),
                                              -limits::max(),
                                              limits::denorm_min(),
                                              1e-40f,
                                              limits::min(),
                                              limits::infinity(),
                                              -limits::infinity(),
                                              limits::quiet_NaN(),
                                              -limits::quiet_NaN(),
                                              16777217.0f,
                                              0.1f,
                                              4.7f};
  if (chance(random, 0.5)) return pickOne(random, kSpecial);
  return std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(random);
}

}  // namespace

GeneratedScene generateScene(std::uint64_t seed, std::uint64_t index) {
  Random random(seed * 0x9E3779B97F4A7C15ull + index);
  GeneratedScene made;
  pluginsdk::host::Scene& scene = made.scene;
  scene.inReplay = !chance(random, 0.1);

  std::vector<std::uint64_t> handles;
  const int players = std::uniform_int_distribution<int>(0, 4)(random);
  for (int i = 0; i < players; ++i) {
    const std::uint64_t handle =
        std::uniform_int_distribution<std::uint64_t>(1, kNoPlayerHandle - 1)(random);
    pluginsdk::host::Player player;
    player.name = name(random);
    player.hasCar = !chance(random, 0.15);
    for (float* field :
         {&player.camera.FOV, &player.camera.Height, &player.camera.Angle, &player.camera.Distance,
          &player.camera.Stiffness, &player.camera.SwivelSpeed, &player.camera.TransitionSpeed}) {
      *field = setting(random);
    }
    scene.players[handle] = player;
    handles.push_back(handle);
  }
  auto someHandle = [&]() -> std::uint64_t {
    if (handles.empty() || chance(random, 0.15)) return chance(random, 0.5) ? 0 : kNoPlayerHandle;
    return pickOne(random, handles);
  };

  if (!chance(random, 0.1)) scene.camera = pluginsdk::host::Camera{someHandle()};
  if (!chance(random, 0.1)) {
    const int cars = std::uniform_int_distribution<int>(0, 8)(random);
    for (int i = 0; i < cars; ++i) {
      if (chance(random, 0.15)) {
        made.cars.pool.emplace_back(std::nullopt);
      } else {
        made.cars.pool.emplace_back(pluginsdk::host::Car{someHandle()});
      }
    }
    if (chance(random, 0.3)) {
      const int changes = std::uniform_int_distribution<int>(1, 10)(random);
      for (int i = 0; i < changes; ++i) {
        made.cars.lengths.push_back(
            std::uniform_int_distribution<std::size_t>(0, made.cars.pool.size())(random));
      }
    }
    scene.event = pluginsdk::host::ReplayEvent{made.cars.pool};
  }
  return made;
}

void CarListChanger::onCall(pluginsdk::host::Operation operation) {
  if (operation != pluginsdk::host::Operation::Count) return;
  auto& event = pluginsdk::host::world().scene.event;
  if (!event) return;
  const std::size_t length = cars_.lengthAt(countCalls_++);
  event->cars.assign(cars_.pool.begin(), cars_.pool.begin() + static_cast<std::ptrdiff_t>(length));
}

}  // namespace quillmark::host
