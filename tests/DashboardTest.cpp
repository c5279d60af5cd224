// The dashboard: what a fresh one writes, the members written only when true or away from
// a value other than their start, its zone map with null entries, its two command lists,
// and a whole dashboard through wire text and back; the sizes it nests and the sheet
// identities (sheet paths, visual ids, sheet layout info).

#include <algorithm>

#include "TestSupport.h"
#include "models/ActionsModels.h"
#include "models/DashboardModels.h"
#include "models/GeometryModels.h"
#include "models/SheetIdentityModels.h"
#include "models/ZonesModels.h"

namespace {

using DashboardSerializer = StructSerializer<RefCntPtr<const DashboardPresModel>, RefCntPtr<DashboardPresModel>>;

constexpr std::uint32_t kZones = 0xd6c170f2, kGridSize = 0xd67619ba, kPreviewBarIsVisible = 0xd6144cdd,
                        kPreviewBarLayout = 0xd6f03d60;

RefCntPtr<const CommandsPresModel> Commands(int n) {
  auto c = MakeRefCnt<CommandsPresModel>();
  for (int i = 0; i < n; ++i) c->AddCommand(u"tile");
  return c;
}

TEST(Dashboard, AFreshDashboardWritesItsAlwaysMembersOnly) {
  const auto out = test::Written<DashboardPresModel>();
  const std::vector<std::string> expected = {
      "Parameter 0xd6c7e390 0",                                 // active zone id
      "Begin ListStructure 0xd68e4099", "End",                  // active zone ids
      "Begin ListStructure 0xd63258c0", "End",                  // actions
      "Parameter 0xd66b08b3 false", "Parameter 0xd656b4de false",
      "Begin ListStructure 0xd6d485d0", "End",                  // visual ids
      "Begin ListStructure 0xd6fd1fa8", "End",                  // invalid sheets
      "Begin ListStructure 0xd6484e19", "End",                  // modified sheets
      "Begin ListStructure 0xd6051cb3", "End",                  // device layouts
      "Begin ListStructure 0xd6a14245", "End",                  // generated device layouts
      "Parameter 0xd67619ba 0",                                 // grid size
      "Parameter 0xd6144cdd false",                             // preview bar hidden, so no layout
      "Parameter 0xd6ef2688 size-mode-auto",
      "Parameter 0xd67d759b false",
      "Begin ListStructure 0xd6c73ad1", "End",                  // single-value fields
  };
  EXPECT_EQ(out, expected);
}

const test::WriteCase kWrites[] = {
    {"story, flexible layout, tab order, title and mobile app flags set true",
     [] {
       return test::Written<DashboardPresModel>([](auto& d) {
         d.SetIsStory(true);
         d.SetIsFlexibleLayout(true);
         d.SetIsSortZoneTabOrderEnabled(true);
         d.SetHasTitle(true);
         d.SetMobileAppEnabledInPreview(true);
       });
     },
     {"Parameter 0xd6d4f130 true", "Parameter 0xd6ece2b5 true", "Parameter 0xd6aeb326 true",
      "Parameter 0xd6b53233 true", "Parameter 0xd679b269 true"},
     {}},
    {"empty show-me commands are left out, empty multi-select commands are not",
     [] {
       return test::Written<DashboardPresModel>([](auto& d) {
         d.SetEmptyShowMe(Commands(0));
         d.SetMultiSelectChromeCommands(Commands(0));
       });
     },
     {"Begin ListStructure 0xd622daef"},
     {"Begin ListStructure 0xd69735df"}},
    {"show-me commands holding one command",
     [] { return test::Written<DashboardPresModel>([](auto& d) { d.SetEmptyShowMe(Commands(1)); }); },
     {"Begin ListStructure 0xd69735df"},
     {"Begin ListStructure 0xd622daef"}},
    {"a size control's spin box bounds and step before they are set",
     test::Written<DashboardSizeControlPresModel>,
     {"Parameter 0xd6c945c8 100", "Parameter 0xd69b2bce 10000", "Parameter 0xd6569f2e 100"},
     {"Begin SubStructure"}},
    {"sheet layout info: no custom view until one is set",
     test::Written<SheetLayoutInfoPresModel>,
     {"Parameter 0xd636a992 worksheet", "Parameter 0xd6e80fee -1"},
     {}},
};

TEST(Dashboard, WhatAWriteHoldsAndLeavesOut) { test::ExpectWrites(kWrites); }

TEST(Dashboard, GridSizeIsLeftOutAtTwentyAndReadsBackAsZeroThen) {
  for (int size : {0, 19, 20, 21}) {
    auto d = MakeRefCnt<DashboardPresModel>();
    d->SetGridSize(size);
    const auto out = test::OutputOf(d);
    EXPECT_EQ(test::WritesId(out, kGridSize), size != 20) << size;
    if (size != 20) {
      EXPECT_TRUE(test::Writes(out, test::Param(kGridSize, std::to_string(size)))) << size;
    }
    EXPECT_EQ(test::ThroughText(d)->GetGridSize(), size == 20 ? 0 : size) << size;
  }
}

TEST(Dashboard, ThePreviewBarLayoutFollowsOnlyAVisiblePreviewBar) {
  auto d = MakeRefCnt<DashboardPresModel>();
  d->SetPreviewBarLayout(static_cast<DashboardDeviceLayout>(2));
  EXPECT_FALSE(test::WritesId(test::OutputOf(d), kPreviewBarLayout));
  d->SetPreviewBarIsVisible(true);
  d->SetPreviewBarLayout(static_cast<DashboardDeviceLayout>(0));  // its own value plays no part
  const auto out = test::OutputOf(d);
  const auto visible = std::find(out.begin(), out.end(), test::Param(kPreviewBarIsVisible, "true"));
  ASSERT_NE(visible, out.end());
  EXPECT_EQ((visible + 1)->rfind(test::Param(kPreviewBarLayout, ""), 0), 0u);

  // Read independently: a layout without the visibility flag still sets the layout.
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(kPreviewBarLayout, test::Val(static_cast<DashboardDeviceLayout>(1)));
  const auto read = DashboardSerializer::ToObject(bag, DashboardPresModel::ID, nullptr);
  EXPECT_EQ(static_cast<int>(read->GetPreviewBarLayout()), 1);
  EXPECT_FALSE(read->GetPreviewBarIsVisible());
}

TEST(Dashboard, ANullZoneIsANullMapItemAndTheOthersKeepKeyOrder) {
  auto d = MakeRefCnt<DashboardPresModel>();
  auto zone = MakeRefCnt<ZonePresModel>();
  zone->SetZoneID(3);
  d->AddZone(u"b", zone);
  d->AddZone(u"a", nullptr);
  d->AddZone(u"c", zone);
  std::vector<std::string> entries;  // the map's own entries, in the order written
  const auto out = test::OutputOf(d);
  auto line = std::find(out.begin(), out.end(), "Begin MapStructure " + test::Hex(kZones));
  ASSERT_NE(line, out.end());
  for (int depth = 0; ++line != out.end() && !(depth == 0 && *line == "End");) {
    if (depth == 0) entries.push_back(*line);
    if (line->rfind("Begin ", 0) == 0) ++depth;
    if (*line == "End") --depth;
  }
  EXPECT_EQ(entries, test::Lines({"NullMapItem a true", "Begin MapItemStructure b", "Begin MapItemStructure c"}));

  const auto read = test::ThroughText(d);
  ASSERT_EQ(read->GetZoneCount(), 3u);
  EXPECT_TRUE(read->HasZone(u"a"));
  EXPECT_FALSE(read->GetZone(u"a"));
  EXPECT_EQ(read->GetZone(u"c")->GetZoneID(), 3u);
}

// ---- sheet identities

struct ExactCase {
  const char* name;
  std::vector<std::string> (*write)();
  std::vector<std::string> lines;
};

void InAStory(auto& m) {
  m.SetStoryboard(u"Story");
  m.SetStoryPointID(4);
}

// A sheet path and a visual id carry the story board and story point under the same ids.
const ExactCase kSheetIdentities[] = {
    {"a new sheet path", test::Written<SheetPathPresModel>, {"Parameter 0xd6aa7c09 ", "Parameter 0xd6f1c1e9 true"}},
    {"a visual id with only its worksheet",
     [] { return test::Written<VisualIDPresModel>([](auto& v) { v.SetWorksheet(u"Sheet 1"); }); },
     {"Parameter 0xd6df9bea Sheet 1"}},
    {"a sheet path in a story",
     [] { return test::Written<SheetPathPresModel>([](auto& p) { InAStory(p); }); },
     {"Parameter 0xd6aa7c09 ", "Parameter 0xd6f1c1e9 true", "Parameter 0xd619e302 Story", "Parameter 0xd6992fe1 4"}},
    {"a visual id in a story",
     [] {
       return test::Written<VisualIDPresModel>([](auto& v) {
         v.SetWorksheet(u"Sheet 1");
         InAStory(v);
       });
     },
     {"Parameter 0xd6df9bea Sheet 1", "Parameter 0xd619e302 Story", "Parameter 0xd6992fe1 4"}},
};

TEST(SheetIdentity, WritesItsNameAndOnlyTheStoryPartsThatAreSet) {
  for (const ExactCase& c : kSheetIdentities) EXPECT_EQ(c.write(), c.lines) << c.name;
}

// ---- a whole dashboard

RefCntPtr<DashboardPresModel> WholeDashboard() {
  auto d = MakeRefCnt<DashboardPresModel>();
  auto path = MakeRefCnt<SheetPathPresModel>();
  path->SetSheetName(u"Overview");
  d->SetSheetPath(path);
  auto hierarchy = MakeRefCnt<DashboardZoneHierarchyPresModel>();
  hierarchy->SetDashboardName(u"Overview");
  for (unsigned id = 1; id <= 3; ++id) {
    auto common = MakeRefCnt<ZoneCommonPresModel>();
    common->SetZoneID(id);
    common->SetParentZoneID(id == 1 ? 0 : 1);
    common->SetW(400);
    common->SetH(300);
    common->SetType(static_cast<ZoneType>(id));
    common->SetIsFloating(id == 3);
    common->SetContentX(id == 2 ? 0 : -1);
    auto zone = MakeRefCnt<ZonePresModel>();
    zone->SetZoneID(id);
    zone->SetZoneCommon(common);
    zone->SetWorksheet(id == 2 ? u"Sales" : u"");
    zone->SetChromeCommands(Commands(1));
    d->AddZone(TString(std::u16string(u"zone") + static_cast<char16_t>(u'0' + id)), zone);
    hierarchy->AddZoneCommon(common);
  }
  d->SetDashboardZoneHierarchy(hierarchy);
  d->SetActiveZoneID(2);
  d->AddActiveZoneIDs(2);
  d->AddActiveZoneIDs(3);
  auto action = MakeRefCnt<ActionPresModel>();
  action->SetName(u"Highlight sales");
  action->AddSourceWorksheets(u"Sales");
  d->AddAction(action);
  d->AddFormat(u"font", u"Arial");
  auto port = MakeRefCnt<SizePresModel>();
  port->SetWidth(1024);
  port->SetHeight(768);
  d->SetPortSize(port);
  auto visual = MakeRefCnt<VisualIDPresModel>();
  visual->SetWorksheet(u"Sales");
  d->AddVisualIDPM(visual);
  auto size = MakeRefCnt<DashboardSizePresModel>();
  size->SetWidth(1000);
  size->SetMaxWidth(1200);
  size->SetSizeMode(static_cast<SizeMode>(1));
  auto control = MakeRefCnt<DashboardSizeControlPresModel>();
  control->SetSize(size);
  d->SetDashboardSizeControl(control);
  d->SetDefaultLayoutSize(size);
  d->AddDeviceLayout(static_cast<DashboardDeviceLayout>(1));
  d->SetPreviewBarIsVisible(true);
  d->SetPreviewBarLayout(static_cast<DashboardDeviceLayout>(1));
  d->SetGridSize(30);
  d->SetIsStory(true);
  d->SetMultiSelectChromeCommands(Commands(2));
  d->SetEmptyShowMe(Commands(1));
  return d;
}

TEST(Dashboard, AWholeDashboardComesBackThroughWireText) {
  const RefCntPtr<const DashboardPresModel> d = WholeDashboard();
  const auto read = test::ThroughTextSettled(d);
  ASSERT_TRUE(read);

  ASSERT_EQ(read->GetZoneCount(), 3u);
  const auto& zone2 = read->GetZone(u"zone2");
  EXPECT_EQ(zone2->GetWorksheet(), TString(u"Sales"));
  EXPECT_EQ(zone2->GetZoneCommon()->GetContentX(), 0);
  EXPECT_EQ(zone2->GetZoneCommon()->GetContentY(), -1);
  EXPECT_TRUE(read->GetZone(u"zone3")->GetZoneCommon()->GetIsFloating());
  EXPECT_EQ(read->GetZone(u"zone1")->GetChromeCommands()->GetItemCount(), 1u);
  EXPECT_EQ(read->GetDashboardZoneHierarchy()->GetZoneCommonCount(), 3u);
  EXPECT_EQ(read->GetActiveZoneIDss(), (std::vector<unsigned>{2, 3}));
  ASSERT_EQ(read->GetActionCount(), 1u);
  EXPECT_EQ(read->GetAction(0)->GetName(), TString(u"Highlight sales"));
  EXPECT_EQ(read->GetAction(0)->GetSourceWorksheetss(), std::vector<TString>{u"Sales"});
  EXPECT_EQ(read->GetFormat(u"font"), TString(u"Arial"));
  EXPECT_EQ(read->GetPortSize()->GetWidth(), 1024);
  EXPECT_EQ(read->GetDashboardSizeControl()->GetSize()->GetMaxWidth(), 1200u);
  EXPECT_EQ(read->GetDashboardSizeControl()->GetMinSize(), 100);
  EXPECT_EQ(static_cast<int>(read->GetPreviewBarLayout()), 1);
  EXPECT_EQ(read->GetGridSize(), 30);
  EXPECT_TRUE(read->GetIsStory());
  EXPECT_EQ(read->GetMultiSelectChromeCommands()->GetItemCount(), 2u);
  EXPECT_EQ(read->GetEmptyShowMe()->GetItemCount(), 1u);
}

}  // namespace
