// Runs the benchmarks, then prints each target ratio measured in the same run and the
// peak memory of reading about 10 MB of wire text.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "framework/Catalogue.h"
#include "framework/Sampler.h"
#include "TestModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

// Heap bytes in use and their peak, counted by the replaced operator new and delete.
namespace {
std::atomic<long long> g_inUse{0}, g_peak{0};
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const long long now = g_inUse += static_cast<long long>(malloc_usable_size(p));
  long long peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  g_inUse -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace bench {

const ParametersRegistry& Registry() { return test::Registry(); }

RefCntPtr<IParameters> Document(int count, std::uint64_t seed) {
  Sampler sampler(seed, Registry());
  sampler.SetLoneSurrogates(false);  // so that the JSON library's parser takes the same text
  auto list = MakeRefCnt<SinkListPresModel>();
  const ModelInfo& sink = KitchenSinkPresModel::GetModelInfo();
  for (int i = 0; i < count; ++i)
    list->AddSink(StaticRefCast<const KitchenSinkPresModel>(sampler.Model(sink)));
  return list->AsIParameters();
}

namespace {
std::map<std::string, double>& Figures() {
  static std::map<std::string, double> figures;
  return figures;
}

class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      auto it = r.counters.find("bytes_per_second");
      if (it != r.counters.end()) Figures()[r.benchmark_name()] = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void Ratio(const char* what, const char* a, const char* b, double target) {
  const auto& f = Figures();
  if (!f.count(a) || !f.count(b)) return;
  const double r = f.at(a) / f.at(b);
  std::printf("%-44s %6.2fx   (target %.1fx: %s)\n", what, r, target, r >= target ? "met" : "MISSED");
}

void ReadMemory() {
  std::string text = JsonCursor::Write(Registry(), *Document(12500, 11));  // about 10 MB
  const WireReader reader(Registry());
  const long long before = g_inUse.load();
  g_peak = before;
  {
    RefCntPtr<IParameters> bag = reader.Read(text);
    benchmark::DoNotOptimize(bag.get());
  }
  const double above = static_cast<double>(g_peak.load() - before);
  const double size = static_cast<double>(text.size());
  std::printf("%-44s %6.2fx   (%.1f MB text, peak %.1f MB of heap above it; target at most 4x: %s)\n",
              "peak memory of a read / text size", above / size, size / 1048576, above / 1048576,
              above / size <= 4 ? "met" : "MISSED");
}
}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench::Registry();
  bench::Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  bench::Ratio("first write / JSON library's writer", "write/first", "baseline/json-writer", 0.5);
  bench::Ratio("replay / memcpy", "write/replay", "baseline/memcpy", 0.5);
  bench::Ratio("read into models / JSON library's parser", "read/models", "baseline/json-parser", 0.3);
  bench::Ratio("read into models / JSON library's event parser", "read/models", "baseline/json-event-parser", 0.3);
  bench::ReadMemory();
  benchmark::Shutdown();
  return 0;
}
