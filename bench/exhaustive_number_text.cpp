// Compares quillmark::formatFixed6 with snprintf's "%f" of the widened float
// for every one of the 2^32 float bit patterns, NaNs included (glibc prints
// them "nan" and "-nan" by their sign bit, as formatFixed6 does). Takes many
// minutes, so it is a program of its own and never part of a test run.
//
// Usage: quillmark-exhaustive-number-text [THREADS]   (default 2)

#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "NumberText.h"

namespace {

constexpr std::uint64_t kPatterns = std::uint64_t{1} << 32;
constexpr std::uint64_t kChunk = std::uint64_t{1} << 20;  // patterns a thread takes at once
constexpr int kMismatchesShown = 20;

std::atomic<std::uint64_t> nextChunk{0};
std::atomic<std::uint64_t> mismatches{0};
std::atomic<std::uint64_t> checked{0};
std::mutex printLock;

void reportMismatch(std::uint32_t bits, const char* expected, std::size_t expectedLength,
                    const char* got, std::size_t gotLength) {
  if (mismatches.fetch_add(1) >= kMismatchesShown) return;
  const std::lock_guard lock(printLock);
  std::printf("MISMATCH 0x%08x: printf \"%.*s\", formatFixed6 \"%.*s\"\n", bits,
              static_cast<int>(expectedLength), expected, static_cast<int>(gotLength), got);
}

void checkChunks() {
  char expected[64];
  char got[quillmark::kMaxFixed6Length];
  for (;;) {
    const std::uint64_t first = nextChunk.fetch_add(kChunk);
    if (first >= kPatterns) return;
    for (std::uint64_t pattern = first; pattern < first + kChunk; ++pattern) {
      const auto bits = static_cast<std::uint32_t>(pattern);
      const float value = std::bit_cast<float>(bits);
      const int printed =
          std::snprintf(expected, sizeof expected, "%f", static_cast<double>(value));
      const std::size_t length = quillmark::formatFixed6(value, got);
      if (printed < 0 || static_cast<std::size_t>(printed) != length ||
          std::memcmp(expected, got, length) != 0) {
        reportMismatch(bits, expected, printed < 0 ? 0 : static_cast<std::size_t>(printed), got,
                       length);
      }
    }
    const std::uint64_t done = checked.fetch_add(kChunk) + kChunk;
    if (done % (std::uint64_t{1} << 28) == 0) {
      const std::lock_guard lock(printLock);
      std::printf("%3llu/16 of all patterns checked\n",
                  static_cast<unsigned long long>(done >> 28));
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int threads = 2;
  if (argc > 2 || (argc == 2 && (threads = std::atoi(argv[1])) < 1)) {
    std::fprintf(stderr, "usage: %s [THREADS]  (THREADS: a positive count, default 2)\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> workers;
  for (int i = 0; i < threads; ++i) workers.emplace_back(checkChunks);
  for (std::thread& worker : workers) worker.join();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

  const std::uint64_t failed = mismatches.load();
  std::printf("%llu float bit patterns checked with %d threads in %.0f s: %llu mismatches\n",
              static_cast<unsigned long long>(checked.load()), threads, elapsed.count(),
              static_cast<unsigned long long>(failed));
  return failed == 0 && checked.load() == kPatterns ? 0 : 1;
}
