// Zones and layout: what a zone's common part and the zone itself leave out (flags written
// only when they differ from a true start, the content rectangle at -1), members that must
// be set before writing, and the drag-and-drop defaults that travel under a point's ids.

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "models/GeometryModels.h"
#include "models/ZonesModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

constexpr std::uint32_t kZoneID = 0xd620d6ca, kParentZoneID = 0xd6245462, kType = 0xd6138ab9,
                        kLayoutType = 0xd69eca34, kX = 0xd61c5044, kY = 0xd6c40da3, kW = 0xd6f8cce8,
                        kH = 0xd6ec3e07, kContentX = 0xd64cd8b4, kContentY = 0xd6c6a3f7, kContentW = 0xd621ca82,
                        kContentH = 0xd6a61b62, kCanHaveTitle = 0xd6abb7ec, kHasTitle = 0xd6b53233,
                        kIsFloating = 0xd6ae4d25, kCanFloat = 0xd6308c53, kText = 0xd6646050,
                        kExtendedObjectHandle = 0xd6af6dab, kIconData = 0xd986427c, kObjectType = 0xd62c3b16;

// The ids of the parameters and scopes a write opens at its own level, in order.
std::vector<std::uint32_t> TopIds(const std::vector<std::string>& out) {
  std::vector<std::uint32_t> ids;
  int depth = 0;
  for (const std::string& line : out) {
    if (line == "End") {
      --depth;
      continue;
    }
    const bool begins = line.rfind("Begin ", 0) == 0;
    if (depth == 0) {
      const auto at = line.find("0x");
      if (at != std::string::npos) ids.push_back(static_cast<std::uint32_t>(std::stoul(line.substr(at, 10), nullptr, 16)));
    }
    if (begins) ++depth;
  }
  return ids;
}

bool Writes(const std::vector<std::string>& out, const std::string& prefix) {
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

std::string Param(std::uint32_t id, const char* text) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08x", id);
  return std::string("Parameter ") + hex + " " + text;
}

RefCntPtr<const ZoneCommonPresModel> Common(const std::function<void(ZoneCommonPresModel&)>& set) {
  auto common = MakeRefCnt<ZoneCommonPresModel>();
  set(*common);
  return common;
}

TEST(ZoneCommon, AFreshCommonPartWritesItsPlaceKindTitleAndTextOnly) {
  const auto out = test::OutputOf(Common([](auto&) {}));
  EXPECT_EQ(TopIds(out), (std::vector<std::uint32_t>{kZoneID, kParentZoneID, kType, kX, kY, kW, kH, kHasTitle, kText,
                                                     kIconData}));
  for (std::uint32_t id : {kZoneID, kParentZoneID, kX, kY, kW, kH}) EXPECT_TRUE(Writes(out, Param(id, "0"))) << id;
  EXPECT_TRUE(Writes(out, Param(kType, "invalid")));
  EXPECT_TRUE(Writes(out, Param(kHasTitle, "true")));
}

// One member changed from its start: which ids join the fresh write.
struct CommonCase {
  const char* name;
  void (*set)(ZoneCommonPresModel&);
  std::vector<std::uint32_t> added;
};

const CommonCase kCommonCases[] = {
    {"content x at 0, the rest at -1", [](auto& c) { c.SetContentX(0); }, {kContentX}},
    {"content height alone", [](auto& c) { c.SetContentH(12); }, {kContentH}},
    {"content rectangle set back to -1", [](auto& c) { c.SetContentW(5); c.SetContentW(-1); }, {}},
    {"can float false", [](auto& c) { c.SetCanFloat(false); }, {kCanFloat}},
    {"can float true", [](auto& c) { c.SetCanFloat(true); }, {}},
    {"can have title false", [](auto& c) { c.SetCanHaveTitle(false); }, {kCanHaveTitle}},
    {"has title false is still written", [](auto& c) { c.SetHasTitle(false); }, {}},
    {"floating", [](auto& c) { c.SetIsFloating(true); }, {kIsFloating}},
    {"layout trivial", [](auto& c) { c.SetLayoutType(static_cast<ZoneLayoutType>(6)); }, {}},
    {"layout basic (value 0)", [](auto& c) { c.SetLayoutType(static_cast<ZoneLayoutType>(0)); }, {kLayoutType}},
    {"object type invalid", [](auto& c) { c.SetObjectType(static_cast<DocDashboardObjectTypes>(0)); }, {}},
    {"object type button", [](auto& c) { c.SetObjectType(static_cast<DocDashboardObjectTypes>(1)); }, {kObjectType}},
    {"null object handle", [](auto& c) { c.SetExtendedObjectHandle(ObjectIdentifier(TUUID())); }, {}},
    {"object handle", [](auto& c) { c.SetExtendedObjectHandle(ObjectIdentifier(TUUID::CreateUUID())); },
     {kExtendedObjectHandle}},
};

void PrintTo(const CommonCase& c, std::ostream* os) { *os << c.name; }

class CommonPresence : public testing::TestWithParam<CommonCase> {};

TEST_P(CommonPresence, AddsOnlyTheMembersThatLeftTheirStart) {
  const CommonCase& c = GetParam();
  const auto fresh = TopIds(test::OutputOf(Common([](auto&) {})));
  const auto ids = TopIds(test::OutputOf(Common(c.set)));
  std::vector<std::uint32_t> added;
  for (std::uint32_t id : ids)
    if (std::find(fresh.begin(), fresh.end(), id) == fresh.end()) added.push_back(id);
  EXPECT_EQ(added, c.added);
  EXPECT_EQ(ids.size(), fresh.size() + c.added.size());
}

INSTANTIATE_TEST_SUITE_P(Zones, CommonPresence, testing::ValuesIn(kCommonCases),
                         [](const testing::TestParamInfo<CommonCase>& info) {
                           return "case" + std::to_string(info.index);
                         });

TEST(ZoneCommon, StartsThatDifferFromZeroReadBackFromAnEmptyBag) {
  const auto read = StructSerializer<RefCntPtr<const ZoneCommonPresModel>, RefCntPtr<ZoneCommonPresModel>>::ToObject(
      MakeRefCnt<Parameters>(), ZoneCommonPresModel::ID, nullptr);
  EXPECT_EQ(read->GetContentX(), -1);
  EXPECT_EQ(read->GetContentH(), -1);
  EXPECT_TRUE(read->GetCanHaveTitle());
  EXPECT_TRUE(read->GetCanFloat());
  EXPECT_TRUE(read->GetHasTitle());
  EXPECT_EQ(static_cast<int>(read->GetLayoutType()), 6);
}

constexpr std::uint32_t kZOrder = 0xd604d6bc, kAutoUpdate = 0xd66b08b3, kHasCaption = 0xd61f49a0,
                        kIsVisible = 0xd9ad4ea2, kDrawnZoneColor = 0xd6064b7e, kBlendedColor = 0xd6603c61,
                        kChromeCommands = 0xd622daef, kContextMenu = 0xd63d7aea;

TEST(Zone, AFreshZoneWritesItsIdOrderCaptionVisibilityAndColoursAfreshEachTime) {
  auto zone = MakeRefCnt<ZonePresModel>();
  const RefCntPtr<const ZonePresModel> fresh = zone;
  const auto out = test::OutputOf(fresh);
  EXPECT_EQ(TopIds(out),
            (std::vector<std::uint32_t>{kZoneID, kZOrder, kHasCaption, kIsVisible, kDrawnZoneColor, kBlendedColor}));
  EXPECT_TRUE(Writes(out, Param(kHasCaption, "true")));
  EXPECT_TRUE(Writes(out, Param(kIsVisible, "true")));
  EXPECT_EQ(test::TraceOf(fresh), out);  // no capture, no replay
  EXPECT_TRUE(zone->GetSerializedVal().empty());

  zone->SetAutoUpdate(false);
  EXPECT_TRUE(Writes(test::OutputOf(fresh), Param(kAutoUpdate, "false")));  // written afresh: the change shows
}

TEST(Zone, CommandListsAreWrittenWhenNotNullEvenWithoutCommands) {
  auto zone = MakeRefCnt<ZonePresModel>();
  zone->SetContextMenu(MakeRefCnt<CommandsPresModel>());
  const auto out = test::OutputOf(RefCntPtr<const ZonePresModel>(zone));
  const auto ids = TopIds(out);
  EXPECT_NE(std::find(ids.begin(), ids.end(), kContextMenu), ids.end());
  EXPECT_EQ(std::find(ids.begin(), ids.end(), kChromeCommands), ids.end());
}

TEST(Zone, ItsCommonPartAndEmbeddedModelsComeBackThroughText) {
  auto common = MakeRefCnt<ZoneCommonPresModel>();
  common->SetZoneID(4);
  common->SetContentY(0);
  common->SetCanFloat(false);
  auto zone = MakeRefCnt<ZonePresModel>();
  zone->SetZoneID(4);
  zone->SetZoneCommon(common);
  zone->SetAutoUpdate(false);
  auto size = MakeRefCnt<SizePresModel>();
  size->SetWidth(30);
  zone->SetPresModelHolder(size->AsIParameters());

  const WireReader reader(test::Registry());
  const auto bag = reader.Read(JsonCursor::Write(test::Registry(), *zone->AsIParameters()));
  const auto* held = HolderOf<RefCntPtr<const ZonePresModel>>(bag->GetParameter(ZonePresModel::ID));
  ASSERT_NE(held, nullptr);
  const RefCntPtr<const ZonePresModel>& read = held->Value();
  EXPECT_FALSE(read->GetAutoUpdate());
  ASSERT_TRUE(read->GetZoneCommon());
  EXPECT_EQ(read->GetZoneCommon()->GetContentY(), 0);
  EXPECT_EQ(read->GetZoneCommon()->GetContentX(), -1);
  EXPECT_FALSE(read->GetZoneCommon()->GetCanFloat());
  ASSERT_TRUE(read->GetPresModelHolder());
  const auto* inner = HolderOf<RefCntPtr<const SizePresModel>>(read->GetPresModelHolder()->GetParameter(SizePresModel::ID));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Value()->GetWidth(), 30);
}

TEST(DeviceZoneListItem, TheIconIndexStartsAtFour) {
  const auto out = test::OutputOf(RefCntPtr<const DeviceZoneListItemPresModel>(MakeRefCnt<DeviceZoneListItemPresModel>()));
  EXPECT_TRUE(Writes(out, Param(0xd65bf73a, "4")));
}

TEST(DashboardDragDrop, FloatingZoneTopAndLeftTravelUnderTheIdsOfXAndY) {
  auto dd = MakeRefCnt<DashboardDragDropPresModel>();
  dd->SetDefaultFloatingZoneLeft(5);
  auto out = test::OutputOf(RefCntPtr<const DashboardDragDropPresModel>(dd));
  EXPECT_TRUE(Writes(out, Param(kY, "5")));
  EXPECT_FALSE(Writes(out, Param(kX, "")));

  auto both = MakeRefCnt<DashboardDragDropPresModel>();
  both->SetDefaultFloatingZoneTop(7);
  both->SetDefaultFloatingZoneLeft(9);
  const WireReader reader(test::Registry());
  const auto bag = reader.Read(JsonCursor::Write(test::Registry(), *both->AsIParameters()));
  const auto& read = HolderOf<RefCntPtr<const DashboardDragDropPresModel>>(bag->GetParameter(both->ID))->Value();
  EXPECT_EQ(read->GetDefaultFloatingZoneTop(), 7);
  EXPECT_EQ(read->GetDefaultFloatingZoneLeft(), 9);
}

TEST(Zones, APointSetOnASnapLineItemIsEnough) {
  auto item = MakeRefCnt<ZoneSnapLineListItemPresModel>();
  item->SetEdgePoint1(MakeRefCnt<PointPresModel>());
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] {
    StructSerializer<RefCntPtr<const ZoneSnapLineListItemPresModel>, RefCntPtr<ZoneSnapLineListItemPresModel>>::
        SerializeObj(item, cursor);
  });
  item->SetEdgePoint2(MakeRefCnt<PointPresModel>());
  const auto out = test::OutputOf(RefCntPtr<const ZoneSnapLineListItemPresModel>(item));
  EXPECT_TRUE(Writes(out, "Begin SubStructure 0xd65d9b74"));
}

}  // namespace
