#pragma once
// A realistic dashboard for the demo and the benchmarks: a layout of worksheet zones, each
// showing a visual with its scene, a title, a web page and an image beside them, the zone
// hierarchy, sizes, device layouts, filter actions and command lists.
//
// The parts are built once; `Build` assembles a dashboard from them, so that dashboards built
// one after the other share every part that was not replaced (and a writer replays those
// parts' recorded text).

#include <cstdint>
#include <memory>
#include <vector>

#include "vqxsys/RefCntPtr.h"

class DashboardPresModel;
class ParametersRegistry;
class Sampler;
class VisualIDPresModel;
class ZoneCommonPresModel;
class ZonePresModel;

namespace sample {

struct DashboardShape {
  int worksheets = 6;
  int columns = 3;
  std::uint64_t seed = 2026;
};

class SampleDashboard {
 public:
  SampleDashboard(const ParametersRegistry& registry, DashboardShape shape);
  ~SampleDashboard();
  SampleDashboard(const SampleDashboard&) = delete;
  SampleDashboard& operator=(const SampleDashboard&) = delete;

  RefCntPtr<const DashboardPresModel> Build() const;
  // Replaces the worksheets first, first + every, ... with new ones (new zone, its common
  // part, visual and scene), made from `seed`. Returns how many were replaced.
  int ReplaceWorksheets(int first, int every, std::uint64_t seed);

  int Worksheets() const { return static_cast<int>(m_sheets.size()); }

 private:
  struct Sheet {
    RefCntPtr<const ZoneCommonPresModel> common;
    RefCntPtr<const ZonePresModel> zone;
    RefCntPtr<const VisualIDPresModel> id;
  };
  struct Parts;

  Sheet MakeSheet(int index, Sampler& sampler) const;

  const ParametersRegistry& m_registry;
  DashboardShape m_shape;
  std::vector<Sheet> m_sheets;
  std::unique_ptr<const Parts> m_parts;
};

}  // namespace sample
