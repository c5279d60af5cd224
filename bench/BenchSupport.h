#pragma once
// The benchmarks' document: the sample dashboard in three sizes, its wire text, and the
// figures each benchmark reports, for the ratios printed after the run.

#include <cstdint>
#include <functional>
#include <string>

#include <benchmark/benchmark.h>

#include "vqxsys/RefCntPtr.h"

class DashboardPresModel;
class ParametersRegistry;

namespace bench {

// Registered serializers of the whole catalogue, as a host has them.
const ParametersRegistry& Registry();

enum Size { kSmall, kMedium, kLarge, kSizes };
const char* SizeName(int size);   // "100KB", "2.5MB", "25MB"
int Worksheets(int size);         // worksheets of the dashboard of about that much text
// A new dashboard of that size; every model fresh, nothing written yet.
RefCntPtr<const DashboardPresModel> NewDashboard(int size, std::uint64_t seed = 7);
// The wire text of NewDashboard(size), made once.
const std::string& Text(int size);

// Registers `run` once per size, as NAME/SIZE, with five repetitions whose median, minimum
// and maximum are reported.
void Register(const char* name, void (*run)(benchmark::State&, int));
// Every benchmark counts the bytes of the library's text of its document, so that the
// figures of one size compare as times.
void Processed(benchmark::State& state, int size);

// One run of a benchmark's operation on a document made ready beforehand, for counting the
// instructions it executes (`presmodel_bench --count NAME SIZE` under callgrind, which counts
// inside CountedRun only). `prepare(size)` does everything the operation needs first.
using Operation = std::function<void()>;
void RegisterCounted(const char* name, Operation (*prepare)(int size));
// Runs the operation NAME on the document of SIZE once, inside CountedRun; false for an
// unknown name.
bool RunCounted(const std::string& name, int size);

}  // namespace bench
