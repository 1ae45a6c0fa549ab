// quillmark-bench: the plugin's draw pass (Pass) side by side with the same
// SDK calls given ready-made texts (Floor) and with texts built the common
// way (Naive), for 0 (no replay), 1, 6, 8 and 64 qualifying cars. Each run
// reports allocations, SDK calls and panels per pass; a summary at the end
// sets the figures against the goals.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "allocation_count.h"
#include "bench_world.h"
#include "reference_passes.h"

namespace quillmark::bench {
namespace {

// The families, and the qualifying cars each runs with (0: no replay shown).
constexpr const char* kFamilies[] = {"Pass", "Floor", "Naive"};
constexpr int kCarCounts[] = {0, 1, 6, 8, 64};

// Runs `pass` over the scene for state.range(0) cars and sets the counters.
void measure(benchmark::State& state, const pluginsdk::host::Drawable& pass) {
  ConsumingSink sink;
  const CanvasWrapper canvas(sink);
  pluginsdk::host::World& world = pluginsdk::host::world();
  world.clearCalls();
  const std::uint64_t allocationsBefore = allocationCount();
  for (auto _ : state) pass(canvas);
  const std::uint64_t allocations = allocationCount() - allocationsBefore;

  using benchmark::Counter;
  state.counters["allocs"] = Counter(static_cast<double>(allocations), Counter::kAvgIterations);
  state.counters["sdk_calls"] =
      Counter(static_cast<double>(world.callCount()), Counter::kAvgIterations);
  state.counters["panels"] = Counter(static_cast<double>(sink.panels()), Counter::kAvgIterations);
}

void Pass(benchmark::State& state) {
  showScene(static_cast<int>(state.range(0)));
  const LoadedPlugin plugin;
  measure(state, plugin.drawPass());
}

void Floor(benchmark::State& state) {
  showScene(static_cast<int>(state.range(0)));
  const pluginsdk::host::Drawable pass = FloorPass(kDefaultName, kDefaultSettings);
  measure(state, pass);
}

void Naive(benchmark::State& state) {
  showScene(static_cast<int>(state.range(0)));
  const pluginsdk::host::Drawable pass = NaivePass();
  measure(state, pass);
}

void carCounts(benchmark::internal::Benchmark* family) {
  family->ArgName("cars");
  for (int cars : kCarCounts) family->Arg(cars);
}

BENCHMARK(Pass)->Apply(carCounts);
BENCHMARK(Floor)->Apply(carCounts);
BENCHMARK(Naive)->Apply(carCounts);

// What the summary needs of one run.
struct Figures {
  double nanoseconds = 0;  // CPU time per pass
  double allocs = 0;
  double panels = 0;
};

// The console's report, one line a run in family and car order once all have
// run (random interleaving runs them in any order), and the figures of each
// run for the summary. Of repeated runs it keeps the median; of a single run
// the run itself.
class KeepingReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!median && run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.run_name.str();
      if (!median && medians_.count(name) != 0) continue;
      if (median) medians_.insert(name);
      kept_.insert_or_assign(name, run);
    }
  }

  void Finalize() override {
    for (const char* family : kFamilies) {
      for (int cars : kCarCounts) {
        const auto found = kept_.find(nameOf(family, cars));
        if (found != kept_.end()) ConsoleReporter::ReportRuns({found->second});
      }
    }
    ConsoleReporter::Finalize();
  }

  // The figures of "FAMILY/cars:N", or nothing when that run did not happen
  // (a --benchmark_filter left it out).
  std::optional<Figures> find(const char* family, int cars) const {
    const auto found = kept_.find(nameOf(family, cars));
    if (found == kept_.end()) return std::nullopt;
    const Run& run = found->second;
    return Figures{run.GetAdjustedCPUTime() *
                       benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                       benchmark::GetTimeUnitMultiplier(run.time_unit),
                   counter(run, "allocs"), counter(run, "panels")};
  }

 private:
  static std::string nameOf(const char* family, int cars) {
    return std::string(family) + "/cars:" + std::to_string(cars);
  }
  static double counter(const Run& run, const char* name) {
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? 0 : found->second.value;
  }

  std::map<std::string, Run> kept_;
  std::set<std::string> medians_;
};

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

void printSummary(const KeepingReporter& results) {
  std::printf("\nSummary (median CPU time per pass; goals in brackets)\n");
  bool allMet = true;
  for (int cars : {6, 8}) {
    const std::optional<Figures> pass = results.find("Pass", cars);
    const std::optional<Figures> floor = results.find("Floor", cars);
    const std::optional<Figures> naive = results.find("Naive", cars);
    if (pass == std::nullopt || floor == std::nullopt || naive == std::nullopt) continue;
    const double overFloor = pass->nanoseconds / floor->nanoseconds;
    const double naiveOver = naive->nanoseconds / pass->nanoseconds;
    allMet = allMet && overFloor <= 1.5 && naiveOver >= 4;
    std::printf("  %2d cars: pass/floor %.2f [<= 1.5, %s]   naive/pass %.2f [>= 4, %s]\n", cars,
                overFloor, verdict(overFloor <= 1.5), naiveOver, verdict(naiveOver >= 4));
    // The pass cannot cost less than the floor, so naive/pass is at most this.
    std::printf("           naive/floor %.2f\n", naive->nanoseconds / floor->nanoseconds);
  }
  std::printf("  allocations per pass (per panel), pass against floor [equal]:\n");
  for (int cars : kCarCounts) {
    const std::optional<Figures> pass = results.find("Pass", cars);
    const std::optional<Figures> floor = results.find("Floor", cars);
    if (pass == std::nullopt || floor == std::nullopt) continue;
    const bool equal = pass->allocs == floor->allocs;
    allMet = allMet && equal;
    auto perPanel = [](const Figures& f) { return f.panels > 0 ? f.allocs / f.panels : 0.0; };
    std::printf("    %2d cars: pass %g (%g), floor %g (%g) [%s]\n", cars, pass->allocs,
                perPanel(*pass), floor->allocs, perPanel(*floor), verdict(equal));
  }
  const std::optional<Figures> eight = results.find("Pass", 8);
  const std::optional<Figures> sixtyFour = results.find("Pass", 64);
  if (eight != std::nullopt && sixtyFour != std::nullopt) {
    const double growth = sixtyFour->nanoseconds / eight->nanoseconds;
    const bool linear = growth >= 7.2 && growth <= 8.8;
    allMet = allMet && linear;
    std::printf("  pass at 64 cars / pass at 8 cars: %.2f [7.2 to 8.8, %s]\n", growth,
                verdict(linear));
  }
  std::printf("  %s\n", allMet ? "every goal met" : "some goal MISSED");
}

}  // namespace
}  // namespace quillmark::bench

// Unless the command line says otherwise, every benchmark runs in nine
// repetitions interleaved at random with the others, and the summary takes
// medians: on a machine shared with other work, that keeps a burst of load
// from landing on one family alone.
int main(int argc, char** argv) {
  std::vector<char*> arguments{argv[0]};
  char repetitions[] = "--benchmark_repetitions=9";
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  char aggregatesOnly[] = "--benchmark_display_aggregates_only=true";
  char minTime[] = "--benchmark_min_time=0.1";
  for (char* fallback : {repetitions, interleave, aggregatesOnly, minTime})
    arguments.push_back(fallback);
  // Later flags win, so the command line's come after the defaults.
  arguments.insert(arguments.end(), argv + 1, argv + argc);
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);

  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  quillmark::bench::KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  quillmark::bench::printSummary(reporter);
  return 0;
}
