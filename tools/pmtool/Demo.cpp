// The main job: builds a realistic dashboard (a layout of worksheet zones, each showing a
// visual with its scene, a title, a web page and an image beside them, the zone hierarchy,
// sizes, device layouts and command lists), writes it as wire text, writes it again (the
// models nested below the dashboard and its zones replay their recorded text), reads it
// back, writes what was read and checks that nothing was lost; prints sizes and timings.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <cstdio>
#include <string>

#include "Commands.h"
#include "dashboard/SampleDashboard.h"
#include "models/DashboardModels.h"
#include "models/ZonesModels.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace pmtool {
namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

std::size_t TextBytes(const ParametersRegistry& registry, int worksheets) {
  const sample::SampleDashboard parts(registry, {.worksheets = worksheets});
  return JsonCursor::Write(registry, *parts.Build()->AsIParameters()).size();
}

// --text: the wire text of the demo's dashboard; --text SIZE: of the benchmarks' document of
// that size (bench/BenchSupport.cpp): the dashboard with as many worksheets as come nearest
// the size (text grows linearly with them), seed 7.
int DocumentText(std::string_view size) {
  if (size.empty()) {
    const sample::SampleDashboard parts(HostRegistry(), sample::DashboardShape{});
    std::printf("%s\n", JsonCursor::Write(HostRegistry(), *parts.Build()->AsIParameters()).c_str());
    return 0;
  }
  const char* const kNames[] = {"100KB", "2.5MB", "25MB"};
  constexpr double kTargets[] = {100e3, 2.5e6, 25e6};
  int which = -1;
  for (int i = 0; i < 3; ++i)
    if (size == kNames[i]) which = i;
  if (which < 0) throw std::runtime_error("usage: pmtool demo [--text [100KB|2.5MB|25MB]]");
  const ParametersRegistry& registry = HostRegistry();
  const double a = static_cast<double>(TextBytes(registry, 8)), b = static_cast<double>(TextBytes(registry, 40));
  const double perSheet = (b - a) / 32, fixed = a - 8 * perSheet;
  const int worksheets = std::max(1, static_cast<int>(std::lround((kTargets[which] - fixed) / perSheet)));
  const sample::SampleDashboard parts(registry, {.worksheets = worksheets, .seed = 7});
  std::printf("%s\n", JsonCursor::Write(registry, *parts.Build()->AsIParameters()).c_str());
  return 0;
}

}  // namespace

int Demo(const Args& args) {
  if (!args.empty()) {
    if (args[0] != "--text") throw std::runtime_error("usage: pmtool demo [--text [100KB|2.5MB|25MB]]");
    return DocumentText(args.size() == 2 ? args[1] : std::string_view());
  }
  const ParametersRegistry& registry = HostRegistry();
  const auto t0 = Clock::now();
  const sample::SampleDashboard parts(registry, sample::DashboardShape{});
  const RefCntPtr<const DashboardPresModel> dashboard = parts.Build();
  const RefCntPtr<IParameters> bag = dashboard->AsIParameters();
  const auto t1 = Clock::now();
  const std::string first = JsonCursor::Write(registry, *bag);
  const auto t2 = Clock::now();
  const std::string replayed = JsonCursor::Write(registry, *bag);
  const auto t3 = Clock::now();
  const WireReader reader(registry);
  const RefCntPtr<IParameters> read = reader.Read(first);
  const auto t4 = Clock::now();
  const std::string rewritten = JsonCursor::Write(registry, *read);
  const auto t5 = Clock::now();

  std::printf("dashboard: %u zones (%d worksheets with their visuals), %u visual ids, %u device layouts, "
              "%u size options, %u actions\n",
              dashboard->GetZoneCount(), parts.Worksheets(), dashboard->GetVisualIDPMCount(),
              dashboard->GetCurrentDeviceLayoutInfoList()->GetDeviceLayoutCount(),
              dashboard->GetDashboardSizeControl()->GetSizeModeOptionCount(), dashboard->GetActionCount());
  constexpr std::size_t kShown = 400;
  std::printf("wire text: %zu bytes, beginning\n%.*s...\n", first.size(),
              static_cast<int>(std::min(first.size(), kShown)), first.c_str());
  std::printf("build:        %8.1f us\n", Micros(t1 - t0));
  std::printf("first write:  %8.1f us\n", Micros(t2 - t1));
  std::printf("second write: %8.1f us (dashboard and zones afresh, the models below them replayed)\n",
              Micros(t3 - t2));
  std::printf("read back:    %8.1f us\n", Micros(t4 - t3));
  std::printf("rewrite:      %8.1f us\n", Micros(t5 - t4));
  const bool sameReplay = replayed == first;
  const bool sameRewrite = rewritten == first;
  std::printf("second write identical: %s; rewrite after reading identical: %s\n", sameReplay ? "yes" : "NO",
              sameRewrite ? "yes" : "NO");
  return sameReplay && sameRewrite ? 0 : 1;
}

}  // namespace pmtool
