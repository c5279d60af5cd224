// Runs the benchmarks (each five times), then prints for every size the medians and their
// spread, and each target ratio computed from the medians of this run; then, under callgrind
// when the machine has it, the instructions per byte that writing and reading the 2.5 MB
// document execute beside the JSON library's writer and event parser (`--no-count` leaves
// them out). `presmodel_bench --count NAME SIZE` runs one operation once, for that count.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include <unistd.h>

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
    Ratio(size, "first write / JSON library's writer", "write/first", "rapidjson/writer", 1.0);
    Ratio(size, "read into models / JSON library's event parser", "read/models", "rapidjson/events", 0.6);
    Ratio(size, "read into models / JSON library's DOM", "read/models", "rapidjson/dom", 0.0);
    Ratio(size, "read into models / simdjson on-demand", "read/models", "simdjson/on-demand", 0.0);
    Ratio(size, "rewrite time / first write time", "write/first", "write/rewrite", 0.1, true);
    Ratio(size, "small-change write time / first write time", "write/first", "write/small-change", 0.2, true);
    Ratio(size, "rewrite into the caller's buffer / rewrite", "write/rewrite-buffer", "write/rewrite", 0.0);
    Ratio(size, "first write / Protocol Buffers' JSON writer", "write/first", "protobuf/to-json", 4.0);
    Ratio(size, "read into models / Protocol Buffers' JSON parser", "read/models", "protobuf/from-json", 4.0);
  }
  // Speed per byte of the largest document against the smallest.
  const Figure *small = Find("write/first", bench::kSmall), *large = Find("write/first", bench::kLarge);
  if (small && large) {
    const double r = large->median / small->median;
    std::printf("first write, bytes per second at %s / at %s %7.2fx   (target at least 0.9x: %s)\n",
                bench::SizeName(bench::kLarge), bench::SizeName(bench::kSmall), r, r >= 0.9 ? "met" : "MISSED");
  }
}

// Instructions executed by one run of the operation on the document, counted by callgrind
// inside bench::CountedRun; 0 when it cannot be counted.
double Instructions(const char* self, const std::string& name, int size) {
  const std::string out = "/tmp/presmodel_bench.callgrind." + std::to_string(::getpid());
  const std::string command = "valgrind --tool=callgrind --collect-atstart=no --toggle-collect=CountedRun "
                              "--callgrind-out-file=" + out + " '" + self + "' --count '" + name + "' " +
                              std::to_string(size) + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return 0;
  std::ifstream in(out);
  std::string line;
  double total = 0;
  while (std::getline(in, line))
    if (line.rfind("summary:", 0) == 0 || line.rfind("totals:", 0) == 0) total = std::atof(line.c_str() + line.find(':') + 1);
  std::remove(out.c_str());
  return total;
}

void InstructionCounts(const char* self) {
  if (std::system("valgrind --version >/dev/null 2>&1") != 0) {
    std::printf("\ninstructions per byte: not counted (no valgrind on this machine)\n");
    return;
  }
  const int size = bench::kMedium;
  const double bytes = static_cast<double>(bench::Text(size).size());
  std::printf("\ninstructions per byte of the %s document (callgrind, one run)\n", bench::SizeName(size));
  const auto pair = [&](const char* what, const char* ours, const char* peer) {
    const double a = Instructions(self, ours, size), b = Instructions(self, peer, size);
    if (a <= 0 || b <= 0) {
      std::printf("  %-30s not counted\n", what);
      return;
    }
    std::printf("  %-30s %7.1f   JSON library's %-13s %7.1f   (%.2fx its work)\n", what, a / bytes,
                std::strchr(peer, '/') + 1, b / bytes, a / b);
  };
  pair("first write", "write/first", "rapidjson/writer");
  pair("read into models", "read/models", "rapidjson/events");
}

std::string Load() {
  std::ifstream in("/proc/loadavg");
  std::string one, five;
  in >> one >> five;
  return one + " " + five;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--count") == 0) return bench::RunCounted(argv[2], std::atoi(argv[3])) ? 0 : 2;
  bool count = true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--no-count") == 0) {
      count = false;
      for (int k = i; k < argc; ++k) argv[k] = argv[k + 1];
      --argc;
      break;
    }
  benchmark::Initialize(&argc, argv);
  std::printf("machine: %u hardware threads; load average (1, 5 min) before: %s\n",
              std::thread::hardware_concurrency(), Load().c_str());
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  Summary();
  std::printf("load average (1, 5 min) after: %s\n", Load().c_str());
  if (count) InstructionCounts(std::filesystem::read_symlink("/proc/self/exe").c_str());
  benchmark::Shutdown();
  return 0;
}
