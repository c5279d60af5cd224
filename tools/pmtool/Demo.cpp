// The main job: builds a realistic dashboard (a layout of worksheet zones, each showing a
// visual with its scene, a title, a web page and an image beside them, the zone hierarchy,
// sizes, device layouts and command lists), writes it as wire text, writes it again (the
// models nested below the dashboard and its zones replay their recorded text), reads it
// back, writes what was read and checks that nothing was lost; prints sizes and timings.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include <QtCore/QSize>

#include "Commands.h"
#include "framework/Sampler.h"
#include "models/ActionsModels.h"
#include "models/DashboardModels.h"
#include "models/GeometryModels.h"
#include "models/SheetIdentityModels.h"
#include "models/VisualModels.h"
#include "models/ZonesModels.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace pmtool {
namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

TString Text(const std::string& s) { return TString(std::u16string(s.begin(), s.end())); }

RefCntPtr<const CommandsPresModel> Commands(std::initializer_list<const char16_t*> names) {
  auto commands = MakeRefCnt<CommandsPresModel>();
  for (const char16_t* name : names) commands->AddCommand(name);
  return commands;
}

constexpr int kWorksheets = 6;
constexpr int kColumns = 3;
// Zone kinds ("viz", "title", "bitmap", "web", "layout-basic").
constexpr int kViz = 1, kTitle = 11, kBitmap = 13, kWeb = 14, kLayoutBasic = 19;
constexpr int kWidth = 1200, kHeight = 800, kTitleHeight = 60;

RefCntPtr<ZoneCommonPresModel> Common(unsigned id, unsigned parent, int type, int x, int y, int w, int h) {
  auto common = MakeRefCnt<ZoneCommonPresModel>();
  common->SetZoneID(id);
  common->SetParentZoneID(parent);
  common->SetType(static_cast<ZoneType>(type));
  common->SetX(x);
  common->SetY(y);
  common->SetW(w);
  common->SetH(h);
  return common;
}

// A worksheet's visual: its identity and title, and a scene of marks with sample contents.
RefCntPtr<const VisualPresModel> Visual(const TString& worksheet, Sampler& sampler) {
  auto id = MakeRefCnt<VisualIDPresModel>();
  id->SetWorksheet(worksheet);
  id->SetDashboard(u"Regional sales");
  auto title = MakeRefCnt<TextRegionPresModel>();
  title->SetCaption(worksheet);
  title->SetWorksheet(worksheet);
  auto visual = MakeRefCnt<VisualPresModel>();
  visual->SetWorksheet(worksheet);
  visual->SetVisualID(id);
  visual->SetTitle(title);
  visual->SetValid(true);
  visual->SetScene(StaticRefCast<const ScenePresModel>(sampler.Model(ScenePresModel::GetModelInfo())));
  return visual;
}

RefCntPtr<ZonePresModel> Zone(const RefCntPtr<const ZoneCommonPresModel>& common, unsigned order) {
  auto zone = MakeRefCnt<ZonePresModel>();
  zone->SetZoneID(common->GetZoneID());
  zone->SetZoneCommon(common);
  zone->SetZOrder(order);
  return zone;
}

RefCntPtr<const SizeItemListPresModel> Sizes(std::initializer_list<std::pair<const char16_t*, QSize>> sizes) {
  auto list = MakeRefCnt<SizeItemListPresModel>();
  for (const auto& [name, extent] : sizes) {
    auto item = MakeRefCnt<SizeItemPresModel>();
    item->SetName(name);
    item->SetWidth(extent.width());
    item->SetHeight(extent.height());
    item->SetIsSupportedByMobileApp(true);
    list->AddSizeItem(item);
  }
  return list;
}

RefCntPtr<const DashboardPresModel> BuildDashboard(const ParametersRegistry& registry) {
  Sampler sampler(2026, registry);
  auto dashboard = MakeRefCnt<DashboardPresModel>();
  auto path = MakeRefCnt<SheetPathPresModel>();
  path->SetSheetName(u"Regional sales");
  dashboard->SetSheetPath(path);
  auto hierarchy = MakeRefCnt<DashboardZoneHierarchyPresModel>();
  hierarchy->SetDashboardName(u"Regional sales");

  // The layout: a container over the whole dashboard, a title on top, the worksheets in a
  // grid below it, a web page floating over the last cell and an image in the corner.
  unsigned next = 1;
  const auto add = [&](const RefCntPtr<ZoneCommonPresModel>& common, const RefCntPtr<ZonePresModel>& zone) {
    hierarchy->AddZoneCommon(common);
    dashboard->AddZone(Text("zone-" + std::to_string(common->GetZoneID())), zone);
  };
  const unsigned root = next++;
  auto layout = Common(root, 0, kLayoutBasic, 0, 0, kWidth, kHeight);
  layout->SetLayoutType(static_cast<ZoneLayoutType>(0));
  layout->SetCanFloat(false);
  add(layout, Zone(layout, 0));

  auto titleCommon = Common(next++, root, kTitle, 0, 0, kWidth, kTitleHeight);
  titleCommon->SetText(FormattedText(u"<b>Regional sales</b>"));
  titleCommon->SetContentX(8);
  titleCommon->SetContentY(8);
  titleCommon->SetContentW(kWidth - 16);
  titleCommon->SetContentH(kTitleHeight - 16);
  add(titleCommon, Zone(titleCommon, 1));

  const int cellW = kWidth / kColumns, cellH = (kHeight - kTitleHeight) / ((kWorksheets + kColumns - 1) / kColumns);
  for (int i = 0; i < kWorksheets; ++i) {
    const TString worksheet = Text("Sales by region " + std::to_string(i + 1));
    auto common = Common(next++, root, kViz, (i % kColumns) * cellW, kTitleHeight + (i / kColumns) * cellH, cellW, cellH);
    common->SetName(worksheet);
    common->SetCanHaveTitle(true);
    auto zone = Zone(common, static_cast<unsigned>(2 + i));
    zone->SetWorksheet(worksheet);
    zone->SetSheetName(worksheet);
    zone->SetTitleHeight(24);
    zone->SetTitleWidth(cellW);
    zone->SetPresModelHolder(Visual(worksheet, sampler)->AsIParameters());
    zone->SetChromeCommands(Commands({u"filter", u"sort", u"fullscreen"}));
    zone->SetContextMenu(Commands({u"copy", u"export-data", u"keep-only", u"exclude"}));
    add(common, zone);
    auto id = MakeRefCnt<VisualIDPresModel>();
    id->SetWorksheet(worksheet);
    dashboard->AddVisualIDPM(id);
  }

  auto webCommon = Common(next++, root, kWeb, kWidth - 320, kHeight - 220, 300, 200);
  webCommon->SetIsFloating(true);
  auto web = MakeRefCnt<WebZonePresModel>();
  web->SetURL(u"https://example.org/regions");
  auto webZone = Zone(webCommon, 100);
  webZone->SetPresModelHolder(web->AsIParameters());
  add(webCommon, webZone);

  auto imageCommon = Common(next++, root, kBitmap, 0, kHeight - 80, 160, 80);
  imageCommon->SetIsFloating(true);
  imageCommon->SetIsFixedSize(true);
  auto image = MakeRefCnt<ImageZonePresModel>();
  image->SetImageKey(u"logo");
  image->SetAltText(u"Company logo");
  image->SetIsScaled(true);
  image->SetImageWidth(160);
  image->SetImageHeight(80);
  auto imageZone = Zone(imageCommon, 101);
  imageZone->SetPresModelHolder(image->AsIParameters());
  add(imageCommon, imageZone);

  dashboard->SetDashboardZoneHierarchy(hierarchy);
  dashboard->SetActiveZoneID(3);
  dashboard->AddActiveZoneIDs(3);
  for (const char16_t* target : {u"Sales by region", u"Profit by month"}) {
    auto action = MakeRefCnt<ActionPresModel>();
    action->SetName(std::u16string(u"Filter ") + target);
    action->SetActivation(ActivationMethod::OnSelect);
    action->AddSourceWorksheets(u"Overview map");
    action->AddTargetWorksheets(target);
    dashboard->AddAction(action);
  }
  dashboard->AddFormat(u"font-family", u"Segoe UI");
  dashboard->AddFormat(u"background", u"#ffffff");

  // Sizes: a fixed size, the size control offering the sizing modes, and the device layouts.
  auto size = MakeRefCnt<DashboardSizePresModel>();
  size->SetWidth(kWidth);
  size->SetHeight(kHeight);
  size->SetSizeMode(static_cast<SizeMode>(1));
  size->SetSummaryText(u"Fixed size (1200 x 800)");
  auto control = MakeRefCnt<DashboardSizeControlPresModel>();
  control->SetSize(size);
  for (const char16_t* name : {u"Fixed size", u"Automatic", u"Range"}) {
    auto option = MakeRefCnt<SizeModeOptionPresModel>();
    option->SetName(name);
    control->AddSizeModeOption(option);
  }
  dashboard->SetDashboardSizeControl(control);
  dashboard->SetDefaultLayoutSize(size);
  auto port = MakeRefCnt<SizePresModel>();
  port->SetWidth(kWidth);
  port->SetHeight(kHeight);
  dashboard->SetPortSize(port);
  auto layouts = MakeRefCnt<DeviceLayoutInfoListPresModel>();
  for (int device = 0; device < 3; ++device) {
    auto info = MakeRefCnt<DeviceLayoutInfoItemPresModel>();
    info->SetName(device == 0 ? u"Default" : device == 1 ? u"Tablet" : u"Phone");
    info->SetDeviceLayout(static_cast<DashboardDeviceLayout>(device));
    info->SetDefaultWidthForFixed(device == 2 ? 375 : 1024);
    info->SetDefaultHeightForFixed(device == 2 ? 667 : 768);
    info->SetPresetSizes(Sizes({{u"Small", QSize(800, 600)}, {u"Large", QSize(1366, 768)}}));
    info->SetDeviceSizes(Sizes({{u"Generic tablet", QSize(1024, 768)}, {u"Generic phone", QSize(375, 667)}}));
    layouts->AddDeviceLayout(info);
    dashboard->AddDeviceLayout(static_cast<DashboardDeviceLayout>(device));
  }
  dashboard->SetCurrentDeviceLayoutInfoList(layouts);
  dashboard->SetPreviewBarIsVisible(true);
  dashboard->SetGridSize(16);
  dashboard->SetMultiSelectChromeCommands(Commands({u"group", u"distribute-horizontally", u"remove"}));
  dashboard->SetEmptyShowMe(Commands({u"add-sheet"}));
  return dashboard;
}

}  // namespace

int Demo(const Args&) {
  const ParametersRegistry& registry = HostRegistry();
  const auto t0 = Clock::now();
  const RefCntPtr<const DashboardPresModel> dashboard = BuildDashboard(registry);
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
              dashboard->GetZoneCount(), kWorksheets, dashboard->GetVisualIDPMCount(),
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
