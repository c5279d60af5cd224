#include "BenchSupport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "dashboard/SampleDashboard.h"
#include "framework/Catalogue.h"
#include "framework/HostRegistry.h"
#include "models/DashboardModels.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "wire/JsonCursor.h"

namespace bench {

const ParametersRegistry& Registry() { return HostRegistry(); }

const char* SizeName(int size) {
  static const char* const kNames[] = {"100KB", "2.5MB", "25MB"};
  return kNames[size];
}

namespace {
std::size_t TextBytes(int worksheets) {
  const sample::SampleDashboard parts(Registry(), {.worksheets = worksheets});
  return JsonCursor::Write(Registry(), *parts.Build()->AsIParameters()).size();
}
}  // namespace

// Text grows linearly with the worksheets: measured at two counts, solved for the target.
int Worksheets(int size) {
  static const std::array<int, kSizes> counts = [] {
    constexpr double kTargets[] = {100e3, 2.5e6, 25e6};
    const double a = static_cast<double>(TextBytes(8)), b = static_cast<double>(TextBytes(40));
    const double perSheet = (b - a) / 32, fixed = a - 8 * perSheet;
    std::array<int, kSizes> out{};
    for (int i = 0; i < kSizes; ++i)
      out[i] = std::max(1, static_cast<int>(std::lround((kTargets[i] - fixed) / perSheet)));
    return out;
  }();
  return counts[size];
}

RefCntPtr<const DashboardPresModel> NewDashboard(int size, std::uint64_t seed) {
  const sample::SampleDashboard parts(Registry(), {.worksheets = Worksheets(size), .seed = seed});
  return parts.Build();
}

const std::string& Text(int size) {
  static std::string texts[kSizes];
  if (texts[size].empty()) texts[size] = JsonCursor::Write(Registry(), *NewDashboard(size)->AsIParameters());
  return texts[size];
}

}  // namespace bench

namespace bench {

void Register(const char* name, void (*run)(benchmark::State&, int)) {
  for (int size = 0; size < kSizes; ++size) {
    benchmark::RegisterBenchmark((std::string(name) + "/" + SizeName(size)).c_str(), run, size)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
  }
}

void Processed(benchmark::State& state, int size) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Text(size).size()));
}

namespace {
std::map<std::string, Operation (*)(int)>& Counted() {
  static std::map<std::string, Operation (*)(int)> counted;
  return counted;
}
}  // namespace

// The one function whose instructions are counted: kept out of line under its own name.
extern "C" [[gnu::noinline]] void CountedRun(const Operation* op) { (*op)(); }

void RegisterCounted(const char* name, Operation (*prepare)(int)) { Counted()[name] = prepare; }

bool RunCounted(const std::string& name, int size) {
  const auto it = Counted().find(name);
  if (it == Counted().end()) return false;
  const Operation op = it->second(size);
  CountedRun(&op);
  return true;
}

}  // namespace bench
