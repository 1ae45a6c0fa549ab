// The draw-pass fuzzer's input: raw bytes decoded into a replay scene, a
// change of the car list while the pass runs, and an SDK fault to inject.
//
// Layout, read front to back; past the end every byte reads as 0, so any
// input is a scene:
//   flags        1 byte: bit 0 in replay, 1 camera, 2 replay event,
//                3 car list changes, 4 inject a fault
//   players      1 byte, modulo 5
//   view target  1 byte: below `players` names that player, 0xff names
//                handle 0, anything else a handle naming no player
//   each player  1 byte (bit 0: has a car), 2 bytes name length
//                (little-endian, modulo 2048), the name's bytes, then the
//                seven camera settings as 4 raw bytes each (little-endian
//                float bits, record order)
//   car list     1 byte count modulo 17, then 1 byte per car: 0xff a null
//                car; else modulo players+2: a player, handle 0, or a handle
//                naming no player
//   if bit 3     1 byte: the Get call (1-based) before which the list is
//                replaced, then a car list as above
//   if bit 4     2 bytes: which SDK call fails (little-endian)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "pluginsdk/host/world.h"

namespace quillmark::fuzz {

constexpr std::uint64_t kFirstPlayer = 0x100;
constexpr std::uint64_t kNobody = 0xdead;  // a handle naming no player

struct ListChange {
  std::uint32_t beforeGet = 0;  // 1-based number of the Get call; 0: never
  std::vector<std::optional<pluginsdk::host::Car>> cars;
};

struct DrawPassInput {
  pluginsdk::host::Scene scene;
  std::optional<ListChange> change;
  std::optional<std::uint16_t> faultSelector;  // which call fails, before scaling
};

DrawPassInput decodeDrawPassInput(const std::uint8_t* data, std::size_t size);

}  // namespace quillmark::fuzz
