// The main job: builds a realistic dashboard (a layout of worksheet zones, each showing a
// visual with its scene, a title, a web page and an image beside them, the zone hierarchy,
// sizes, device layouts and command lists), writes it as wire text, writes it again (the
// models nested below the dashboard and its zones replay their recorded text), reads it
// back, writes what was read and checks that nothing was lost; prints sizes and timings.

#include <algorithm>
#include <chrono>
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

}  // namespace

int Demo(const Args&) {
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
