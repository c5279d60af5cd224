// Runs the benchmarks (each five times), then prints for every size the medians and their
// spread, and each target ratio computed from the medians of this run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "BenchSupport.h"

namespace {

struct Figure {
  double median = 0, min = 0, max = 0;  // bytes of the library's text per second
};
std::map<std::string, Figure>& Figures() {
  static std::map<std::string, Figure> figures;
  return figures;
}

class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const auto it = r.counters.find("bytes_per_second");
      if (r.run_type != Run::RT_Aggregate || it == r.counters.end()) continue;
      Figure& f = Figures()[r.run_name.function_name];
      if (r.aggregate_name == "median") f.median = it->second;
      if (r.aggregate_name == "min") f.min = it->second;
      if (r.aggregate_name == "max") f.max = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

const Figure* Find(const std::string& name, int size) {
  const auto it = Figures().find(name + "/" + bench::SizeName(size));
  return it == Figures().end() || it->second.median <= 0 ? nullptr : &it->second;
}

// How many times faster `a` runs than `b` on the same document (medians); a target of 0
// prints the ratio alone.
void Ratio(int size, const char* what, const char* a, const char* b, double target, bool atMost = false) {
  const Figure *fa = Find(a, size), *fb = Find(b, size);
  if (!fa || !fb) return;
  const double r = fa->median / fb->median;
  if (target <= 0) {
    std::printf("  %-52s %7.2fx\n", what, r);
    return;
  }
  const bool met = atMost ? r <= target : r >= target;
  std::printf("  %-52s %7.2fx   (target %s %.1fx: %s)\n", what, r, atMost ? "at most" : "at least", target,
              met ? "met" : "MISSED");
}

void Summary() {
  std::printf("\nmedians of 5 runs, MB/s of the library's text (min-max)\n");
  for (int size = 0; size < bench::kSizes; ++size) {
    bool any = false;
    for (const auto& [name, f] : Figures()) {
      const std::string suffix = std::string("/") + bench::SizeName(size);
      if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix)) continue;
      if (!any) std::printf("%s (%zu bytes, %d worksheets)\n", bench::SizeName(size), bench::Text(size).size(),
                            bench::Worksheets(size));
      any = true;
      std::printf("  %-52s %9.1f   (%.1f-%.1f)\n", name.c_str(), f.median / 1e6, f.min / 1e6, f.max / 1e6);
    }
    if (!any) continue;
    Ratio(size, "first write / JSON library's writer", "write/first", "rapidjson/writer", 0.9);
    Ratio(size, "read into models / JSON library's event parser", "read/models", "rapidjson/events", 0.5);
    Ratio(size, "read into models / JSON library's DOM", "read/models", "rapidjson/dom", 0.0);
    Ratio(size, "read into models / simdjson on-demand", "read/models", "simdjson/on-demand", 0.0);
    Ratio(size, "small-change write time / first write time", "write/first", "write/small-change", 0.2, true);
    Ratio(size, "rewrite into the caller's buffer / rewrite", "write/rewrite-buffer", "write/rewrite", 0.0);
    Ratio(size, "first write / Protocol Buffers' JSON writer", "write/first", "protobuf/to-json", 3.0);
    Ratio(size, "read into models / Protocol Buffers' JSON parser", "read/models", "protobuf/from-json", 3.0);
  }
}

std::string Load() {
  std::ifstream in("/proc/loadavg");
  std::string one, five;
  in >> one >> five;
  return one + " " + five;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("machine: %u hardware threads; load average (1, 5 min) before: %s\n",
              std::thread::hardware_concurrency(), Load().c_str());
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Summary();
  std::printf("load average (1, 5 min) after: %s\n", Load().c_str());
  benchmark::Shutdown();
  return 0;
}
