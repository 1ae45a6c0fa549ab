#include "draw_pass_input.h"

#include <cstring>
#include <string>
#include <utility>

namespace quillmark::fuzz {
namespace {

// Reads bytes front to back; past the end, zeros.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t byte() { return offset_ < size_ ? data_[offset_++] : 0; }

  std::uint16_t twoBytes() {
    const std::uint16_t low = byte();
    return static_cast<std::uint16_t>(low | (byte() << 8));
  }

  float floatBits() {
    std::uint32_t bits = 0;
    for (int shift = 0; shift < 32; shift += 8) bits |= std::uint32_t{byte()} << shift;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // Up to `count` bytes, fewer where the input ends.
  std::string bytes(std::size_t count) {
    const std::size_t taken = count < size_ - offset_ ? count : size_ - offset_;
    std::string text(reinterpret_cast<const char*>(data_ + offset_), taken);
    offset_ += taken;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

std::vector<std::optional<pluginsdk::host::Car>> readCars(ByteReader& in, unsigned players) {
  std::vector<std::optional<pluginsdk::host::Car>> cars;
  const unsigned count = in.byte() % 17u;
  for (unsigned i = 0; i < count; ++i) {
    const std::uint8_t choice = in.byte();
    if (choice == 0xff) {
      cars.emplace_back();
      continue;
    }
    const unsigned which = choice % (players + 2);
    std::uint64_t pri = kNobody;
    if (which < players) pri = kFirstPlayer + which;
    if (which == players) pri = 0;
    cars.push_back(pluginsdk::host::Car{pri});
  }
  return cars;
}

}  // namespace

DrawPassInput decodeDrawPassInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  DrawPassInput input;
  pluginsdk::host::Scene& scene = input.scene;

  const std::uint8_t flags = in.byte();
  scene.inReplay = (flags & 1) != 0;
  const unsigned players = in.byte() % 5u;
  const std::uint8_t view = in.byte();
  if (flags & 2) {
    std::uint64_t target = kNobody;
    if (view < players) target = kFirstPlayer + view;
    if (view == 0xff) target = 0;
    scene.camera = pluginsdk::host::Camera{target};
  }

  for (unsigned i = 0; i < players; ++i) {
    pluginsdk::host::Player player;
    player.hasCar = (in.byte() & 1) != 0;
    player.name = in.bytes(in.twoBytes() % 2048u);
    ProfileCameraSettings& camera = player.camera;
    for (float* field : {&camera.FOV, &camera.Height, &camera.Angle, &camera.Distance,
                         &camera.Stiffness, &camera.SwivelSpeed, &camera.TransitionSpeed})
      *field = in.floatBits();
    scene.players[kFirstPlayer + i] = std::move(player);
  }

  std::vector<std::optional<pluginsdk::host::Car>> cars = readCars(in, players);
  if (flags & 4) scene.event = pluginsdk::host::ReplayEvent{std::move(cars)};

  if (flags & 8) {
    ListChange change;
    change.beforeGet = in.byte();
    change.cars = readCars(in, players);
    input.change = std::move(change);
  }
  if (flags & 16) input.faultSelector = in.twoBytes();
  return input;
}

}  // namespace quillmark::fuzz
