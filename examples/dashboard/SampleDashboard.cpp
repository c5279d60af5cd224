#include "dashboard/SampleDashboard.h"

#include <string>

#include <QtCore/QSize>

#include "framework/Sampler.h"
#include "models/ActionsModels.h"
#include "models/DashboardModels.h"
#include "models/GeometryModels.h"
#include "models/SheetIdentityModels.h"
#include "models/VisualModels.h"
#include "models/ZonesModels.h"

namespace sample {
namespace {

TString Text(const std::u16string& s) { return TString(s); }
std::u16string Number(int n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

RefCntPtr<const CommandsPresModel> Commands(std::initializer_list<const char16_t*> names) {
  auto commands = MakeRefCnt<CommandsPresModel>();
  for (const char16_t* name : names) commands->AddCommand(name);
  return commands;
}

// Zone kinds ("viz", "title", "bitmap", "web", "layout-basic").
constexpr int kViz = 1, kTitle = 11, kBitmap = 13, kWeb = 14, kLayoutBasic = 19;
constexpr int kCellWidth = 400, kCellHeight = 300, kTitleHeight = 60;
constexpr unsigned kFirstSheetZone = 3;  // 1 is the layout, 2 the title
const char16_t kDashboardName[] = u"Regional sales";
constexpr int kShapeImages = 8;  // the shapes the marks of all visuals draw from

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

RefCntPtr<ZonePresModel> Zone(const RefCntPtr<const ZoneCommonPresModel>& common, unsigned order) {
  auto zone = MakeRefCnt<ZonePresModel>();
  zone->SetZoneID(common->GetZoneID());
  zone->SetZoneCommon(common);
  zone->SetZOrder(order);
  return zone;
}

// Worksheet names as users write them: plain, quoted, accented, and one with a line break.
std::u16string SheetName(int index) {
  static const char16_t* const kStems[] = {u"Sales by region ", u"Profit \"year over year\" ",
                                           u"Ventes par région ", u"Orders\tby\\ship mode\n"};
  return kStems[index % 4] + Number(index + 1);
}

RefCntPtr<const VisualPresModel> Visual(const TString& worksheet, Sampler& sampler) {
  auto id = MakeRefCnt<VisualIDPresModel>();
  id->SetWorksheet(worksheet);
  id->SetDashboard(kDashboardName);
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

}  // namespace

// Everything but the worksheets, built once.
struct SampleDashboard::Parts {
  RefCntPtr<const SheetPathPresModel> path;
  std::vector<std::pair<RefCntPtr<const ZoneCommonPresModel>, RefCntPtr<const ZonePresModel>>> fixedZones;
  std::vector<RefCntPtr<const ActionPresModel>> actions;
  RefCntPtr<const DashboardSizeControlPresModel> sizeControl;
  RefCntPtr<const DashboardSizePresModel> size;
  RefCntPtr<const SizePresModel> port;
  RefCntPtr<const DeviceLayoutInfoListPresModel> layouts;
  RefCntPtr<const CommandsPresModel> multiSelect, emptyShowMe, chrome, contextMenu;
};

SampleDashboard::SampleDashboard(const ParametersRegistry& registry, DashboardShape shape)
    : m_registry(registry), m_shape(shape) {
  auto parts = std::make_unique<Parts>();
  const int rows = (shape.worksheets + shape.columns - 1) / shape.columns;
  const int width = shape.columns * kCellWidth, height = kTitleHeight + rows * kCellHeight;

  auto path = MakeRefCnt<SheetPathPresModel>();
  path->SetSheetName(kDashboardName);
  parts->path = path;

  // A container over the whole dashboard and a title on top; the worksheets below them in a
  // grid, a web page floating over the last cell and an image in the corner.
  auto layout = Common(1, 0, kLayoutBasic, 0, 0, width, height);
  layout->SetLayoutType(static_cast<ZoneLayoutType>(0));
  layout->SetCanFloat(false);
  parts->fixedZones.emplace_back(layout, Zone(layout, 0));
  auto titleCommon = Common(2, 1, kTitle, 0, 0, width, kTitleHeight);
  titleCommon->SetText(FormattedText(u"<b>Regional sales</b>"));
  titleCommon->SetContentX(8);
  titleCommon->SetContentY(8);
  titleCommon->SetContentW(width - 16);
  titleCommon->SetContentH(kTitleHeight - 16);
  parts->fixedZones.emplace_back(titleCommon, Zone(titleCommon, 1));

  const unsigned after = kFirstSheetZone + static_cast<unsigned>(shape.worksheets);
  auto webCommon = Common(after, 1, kWeb, width - 320, height - 220, 300, 200);
  webCommon->SetIsFloating(true);
  auto web = MakeRefCnt<WebZonePresModel>();
  web->SetURL(u"https://example.org/regions?view=map&year=2026");
  auto webZone = Zone(webCommon, after);
  webZone->SetPresModelHolder(web->AsIParameters());
  parts->fixedZones.emplace_back(webCommon, webZone);

  auto imageCommon = Common(after + 1, 1, kBitmap, 0, height - 80, 160, 80);
  imageCommon->SetIsFloating(true);
  imageCommon->SetIsFixedSize(true);
  auto image = MakeRefCnt<ImageZonePresModel>();
  image->SetImageKey(u"logo");
  image->SetAltText(u"Company logo");
  image->SetIsScaled(true);
  image->SetImageWidth(160);
  image->SetImageHeight(80);
  auto imageZone = Zone(imageCommon, after + 1);
  imageZone->SetPresModelHolder(image->AsIParameters());
  parts->fixedZones.emplace_back(imageCommon, imageZone);

  for (const char16_t* target : {u"Sales by region", u"Profit by month"}) {
    auto action = MakeRefCnt<ActionPresModel>();
    action->SetName(std::u16string(u"Filter ") + target);
    action->SetActivation(ActivationMethod::OnSelect);
    action->AddSourceWorksheets(u"Overview map");
    action->AddTargetWorksheets(target);
    parts->actions.push_back(action);
  }

  // Sizes: a fixed size, the size control offering the sizing modes, and the device layouts.
  auto size = MakeRefCnt<DashboardSizePresModel>();
  size->SetWidth(width);
  size->SetHeight(height);
  size->SetSizeMode(static_cast<SizeMode>(1));
  size->SetSummaryText(u"Fixed size (" + Number(width) + u" x " + Number(height) + u")");
  auto control = MakeRefCnt<DashboardSizeControlPresModel>();
  control->SetSize(size);
  for (const char16_t* name : {u"Fixed size", u"Automatic", u"Range"}) {
    auto option = MakeRefCnt<SizeModeOptionPresModel>();
    option->SetName(name);
    control->AddSizeModeOption(option);
  }
  parts->size = size;
  parts->sizeControl = control;
  auto port = MakeRefCnt<SizePresModel>();
  port->SetWidth(width);
  port->SetHeight(height);
  parts->port = port;
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
  }
  parts->layouts = layouts;
  parts->multiSelect = Commands({u"group", u"distribute-horizontally", u"remove"});
  parts->emptyShowMe = Commands({u"add-sheet"});
  parts->chrome = Commands({u"filter", u"sort", u"fullscreen"});
  parts->contextMenu = Commands({u"copy", u"export-data", u"keep-only", u"exclude"});
  m_parts = std::move(parts);

  Sampler sampler(shape.seed, registry);
  sampler.SetLoneSurrogates(false);  // so that every JSON parser takes the text
  sampler.SetImagePool(kShapeImages);
  for (int i = 0; i < shape.worksheets; ++i) m_sheets.push_back(MakeSheet(i, sampler));
}

SampleDashboard::~SampleDashboard() = default;

SampleDashboard::Sheet SampleDashboard::MakeSheet(int index, Sampler& sampler) const {
  const TString worksheet = Text(SheetName(index));
  const int column = index % m_shape.columns, row = index / m_shape.columns;
  auto common = Common(kFirstSheetZone + static_cast<unsigned>(index), 1, kViz, column * kCellWidth,
                       kTitleHeight + row * kCellHeight, kCellWidth, kCellHeight);
  common->SetName(worksheet);
  common->SetCanHaveTitle(true);
  auto zone = Zone(common, kFirstSheetZone + static_cast<unsigned>(index));
  zone->SetWorksheet(worksheet);
  zone->SetSheetName(worksheet);
  zone->SetTitleHeight(24);
  zone->SetTitleWidth(kCellWidth);
  zone->SetPresModelHolder(Visual(worksheet, sampler)->AsIParameters());
  zone->SetChromeCommands(m_parts->chrome);
  zone->SetContextMenu(m_parts->contextMenu);
  auto id = MakeRefCnt<VisualIDPresModel>();
  id->SetWorksheet(worksheet);
  return {common, zone, id};
}

int SampleDashboard::ReplaceWorksheets(int first, int every, std::uint64_t seed) {
  Sampler sampler(seed, m_registry);
  sampler.SetLoneSurrogates(false);
  sampler.SetImagePool(kShapeImages);
  int replaced = 0;
  for (int i = first; i < Worksheets(); i += every, ++replaced) m_sheets[static_cast<std::size_t>(i)] = MakeSheet(i, sampler);
  return replaced;
}

RefCntPtr<const DashboardPresModel> SampleDashboard::Build() const {
  const Parts& parts = *m_parts;
  auto dashboard = MakeRefCnt<DashboardPresModel>();
  dashboard->SetSheetPath(parts.path);
  auto hierarchy = MakeRefCnt<DashboardZoneHierarchyPresModel>();
  hierarchy->SetDashboardName(kDashboardName);
  const auto add = [&](const RefCntPtr<const ZoneCommonPresModel>& common, const RefCntPtr<const ZonePresModel>& zone) {
    hierarchy->AddZoneCommon(common);
    dashboard->AddZone(u"zone-" + Number(static_cast<int>(common->GetZoneID())), zone);
  };
  add(parts.fixedZones[0].first, parts.fixedZones[0].second);
  add(parts.fixedZones[1].first, parts.fixedZones[1].second);
  for (const Sheet& sheet : m_sheets) {
    add(sheet.common, sheet.zone);
    dashboard->AddVisualIDPM(sheet.id);
  }
  for (std::size_t i = 2; i < parts.fixedZones.size(); ++i) add(parts.fixedZones[i].first, parts.fixedZones[i].second);

  dashboard->SetDashboardZoneHierarchy(hierarchy);
  dashboard->SetActiveZoneID(kFirstSheetZone);
  dashboard->AddActiveZoneIDs(kFirstSheetZone);
  for (const auto& action : parts.actions) dashboard->AddAction(action);
  dashboard->AddFormat(u"font-family", u"Segoe UI");
  dashboard->AddFormat(u"background", u"#ffffff");
  dashboard->SetDashboardSizeControl(parts.sizeControl);
  dashboard->SetDefaultLayoutSize(parts.size);
  dashboard->SetPortSize(parts.port);
  for (int device = 0; device < 3; ++device) dashboard->AddDeviceLayout(static_cast<DashboardDeviceLayout>(device));
  dashboard->SetCurrentDeviceLayoutInfoList(parts.layouts);
  dashboard->SetPreviewBarIsVisible(true);
  dashboard->SetGridSize(16);
  dashboard->SetMultiSelectChromeCommands(parts.multiSelect);
  dashboard->SetEmptyShowMe(parts.emptyShowMe);
  return dashboard;
}

}  // namespace sample
