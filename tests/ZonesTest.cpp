// Zones and layout: what a zone's common part and the zone itself leave out (flags written
// only when they differ from a true start, the content rectangle at -1, identifiers holding
// the null uuid), what comes back of a zone through text, and the drag-and-drop defaults
// that travel under a point's ids.

#include "TestSupport.h"
#include "models/GeometryModels.h"
#include "models/ZonesModels.h"

namespace {

constexpr std::uint32_t kZoneID = 0xd620d6ca, kParentZoneID = 0xd6245462, kType = 0xd6138ab9, kX = 0xd61c5044,
                        kY = 0xd6c40da3, kW = 0xd6f8cce8, kH = 0xd6ec3e07, kContentX = 0xd64cd8b4,
                        kContentY = 0xd6c6a3f7, kContentW = 0xd621ca82, kContentH = 0xd6a61b62,
                        kHasTitle = 0xd6b53233, kCanFloat = 0xd6308c53, kText = 0xd6646050,
                        kExtendedObjectHandle = 0xd6af6dab, kIconData = 0xd986427c, kZOrder = 0xd604d6bc,
                        kAutoUpdate = 0xd66b08b3, kHasCaption = 0xd61f49a0, kIsVisible = 0xd9ad4ea2,
                        kDrawnZoneColor = 0xd6064b7e, kBlendedColor = 0xd6603c61;

using test::Param;

TEST(ZoneCommon, AFreshCommonPartWritesItsPlaceKindTitleAndTextOnly) {
  const auto out = test::Written<ZoneCommonPresModel>();
  EXPECT_EQ(test::TopIds(out),
            (std::vector<std::uint32_t>{kZoneID, kParentZoneID, kType, kX, kY, kW, kH, kHasTitle, kText, kIconData}));
  for (std::uint32_t id : {kZoneID, kParentZoneID, kX, kY, kW, kH})
    EXPECT_TRUE(test::Writes(out, Param(id, "0"))) << id;
  EXPECT_TRUE(test::Writes(out, Param(kType, "invalid")));
  EXPECT_TRUE(test::Writes(out, Param(kHasTitle, "true")));
}

const test::WriteCase kWrites[] = {
    {"content x at 0, the rest of the content rectangle at -1",
     [] { return test::Written<ZoneCommonPresModel>([](auto& c) { c.SetContentX(0); }); },
     {Param(kContentX, "0")},
     {Param(kContentY, ""), Param(kContentW, ""), Param(kContentH, "")}},
    {"can float set to false",
     [] { return test::Written<ZoneCommonPresModel>([](auto& c) { c.SetCanFloat(false); }); },
     {Param(kCanFloat, "false")},
     {}},
    {"can float set to true",
     [] { return test::Written<ZoneCommonPresModel>([](auto& c) { c.SetCanFloat(true); }); },
     {},
     {Param(kCanFloat, "")}},
    {"an object handle holding the null uuid",
     [] {
       return test::Written<ZoneCommonPresModel>([](auto& c) { c.SetExtendedObjectHandle(ObjectIdentifier(TUUID())); });
     },
     {},
     {Param(kExtendedObjectHandle, "")}},
    {"an object handle holding a uuid",
     [] {
       return test::Written<ZoneCommonPresModel>([](auto& c) {
         c.SetExtendedObjectHandle(ObjectIdentifier(TUUID::FromString(u"{5f0c3e1a-8b2d-4c6e-9a7f-1d2e3f405162}")));
       });
     },
     {Param(kExtendedObjectHandle, "{5f0c3e1a-8b2d-4c6e-9a7f-1d2e3f405162}")},
     {}},
    {"a new zone's auto update", test::Written<ZonePresModel>, {}, {Param(kAutoUpdate, "")}},
    {"a zone's auto update set to false",
     [] { return test::Written<ZonePresModel>([](auto& z) { z.SetAutoUpdate(false); }); },
     {Param(kAutoUpdate, "false")},
     {}},
    {"a zone with a context menu holding no commands",
     [] { return test::Written<ZonePresModel>([](auto& z) { z.SetContextMenu(MakeRefCnt<CommandsPresModel>()); }); },
     {"Begin ListStructure 0xd63d7aea"},
     {"Begin ListStructure 0xd622daef"}},
    {"a device zone list item before its icon index is set",
     test::Written<DeviceZoneListItemPresModel>,
     {Param(0xd65bf73a, "4")},
     {}},
    {"floating zone top 0 and left 5",
     [] { return test::Written<DashboardDragDropPresModel>([](auto& d) { d.SetDefaultFloatingZoneLeft(5); }); },
     {Param(kY, "5")},
     {Param(kX, "")}},
    {"floating zone top 7 and left 0",
     [] { return test::Written<DashboardDragDropPresModel>([](auto& d) { d.SetDefaultFloatingZoneTop(7); }); },
     {Param(kX, "7")},
     {Param(kY, "")}},
};

TEST(Zones, WhatAWriteHoldsAndLeavesOut) { test::ExpectWrites(kWrites); }

TEST(Zone, AFreshZoneWritesItsIdOrderCaptionVisibilityAndColoursAfreshEachTime) {
  auto zone = MakeRefCnt<ZonePresModel>();
  const RefCntPtr<const ZonePresModel> fresh = zone;
  const auto out = test::OutputOf(fresh);
  EXPECT_EQ(test::TopIds(out),
            (std::vector<std::uint32_t>{kZoneID, kZOrder, kHasCaption, kIsVisible, kDrawnZoneColor, kBlendedColor}));
  EXPECT_TRUE(test::Writes(out, Param(kHasCaption, "true")));
  EXPECT_TRUE(test::Writes(out, Param(kIsVisible, "true")));
  EXPECT_EQ(test::TraceOf(fresh), out);  // no capture, no replay
  EXPECT_TRUE(zone->GetSerializedVal().empty());

  zone->SetAutoUpdate(false);
  EXPECT_TRUE(test::Writes(test::OutputOf(fresh), Param(kAutoUpdate, "false")));  // written afresh: the change shows
}

// Members left out because they hold their start come back as that start.
TEST(Zone, ItsCommonPartCommandsAndEmbeddedModelsComeBackThroughText) {
  auto common = MakeRefCnt<ZoneCommonPresModel>();
  common->SetZoneID(4);
  common->SetContentY(0);
  common->SetCanFloat(false);
  auto zone = MakeRefCnt<ZonePresModel>();
  zone->SetZoneID(4);
  zone->SetZoneCommon(common);
  zone->SetAutoUpdate(false);
  zone->SetContextMenu(MakeRefCnt<CommandsPresModel>());
  auto size = MakeRefCnt<SizePresModel>();
  size->SetWidth(30);
  zone->SetPresModelHolder(size->AsIParameters());

  const auto read = test::ThroughText(zone);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->GetAutoUpdate());
  EXPECT_TRUE(read->GetHasCaption());
  ASSERT_TRUE(read->GetContextMenu());
  EXPECT_EQ(read->GetContextMenu()->GetItemCount(), 0u);
  EXPECT_FALSE(read->GetChromeCommands());
  const auto& back = read->GetZoneCommon();
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GetContentY(), 0);
  EXPECT_EQ(back->GetContentX(), -1);
  EXPECT_FALSE(back->GetCanFloat());
  EXPECT_TRUE(back->GetCanHaveTitle());
  EXPECT_EQ(back->GetLayoutType(), ZoneLayoutType::Trivial);
  ASSERT_TRUE(read->GetPresModelHolder());
  const auto* inner = HolderOf<RefCntPtr<const SizePresModel>>(read->GetPresModelHolder()->GetParameter(SizePresModel::ID));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Value()->GetWidth(), 30);
}

TEST(DashboardDragDrop, FloatingZoneTopAndLeftComeBackFromTheIdsOfXAndY) {
  auto both = MakeRefCnt<DashboardDragDropPresModel>();
  both->SetDefaultFloatingZoneTop(7);
  both->SetDefaultFloatingZoneLeft(9);
  const auto read = test::ThroughText(both);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetDefaultFloatingZoneTop(), 7);
  EXPECT_EQ(read->GetDefaultFloatingZoneLeft(), 9);
}

}  // namespace
