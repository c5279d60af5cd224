// Value holders, identifier values, image regions and the model accessor pattern.

#include "TestSupport.h"
#include "framework/ImageRegionInfo.h"

namespace {

using Pair = FieldCaptionPairPresModel;
using PairPtr = RefCntPtr<const Pair>;

TEST(ValParameters, AnswerTheirQueriesByWhatTheyHold) {
  const auto nullModel = test::Val(PairPtr());
  EXPECT_TRUE(nullModel->IsNull());
  EXPECT_EQ(nullModel->GetStructure(), nullptr);
  const auto model = test::Pair(u"f", u"c");
  EXPECT_EQ(test::Val(model)->GetStructure().get(), model.get());
  EXPECT_FALSE(test::Val(model)->IsNull());
  const auto emptyList = test::Val(std::vector<PairPtr>{});
  EXPECT_FALSE(emptyList->IsNull());
  EXPECT_EQ(emptyList->GetStructure(), nullptr);
  EXPECT_EQ(emptyList->GetShape(), ParameterShape::List);
  for (const auto& p : {nullModel, emptyList, test::Val(3), test::Val(std::map<TString, int>{})})
    EXPECT_FALSE(p->IsDeferred());
}

TEST(SimpleIdentifiers, CompareByTheirUuidAndFormatTwoWays) {
  const SimpleIdentifier a, b;
  EXPECT_TRUE(a == b);
  EXPECT_TRUE(a.IsNull() && b.IsNull());
  const TUUID u = TUUID::CreateUUID();
  const ObjectIdentifier o(u);
  EXPECT_FALSE(o.IsNull());
  EXPECT_TRUE(o != a);
  EXPECT_TRUE(a < o && o > a);
  EXPECT_EQ(o.ToString(0).Length(), 38u);
  EXPECT_EQ(o.ToString(1).Length(), 36u);
  EXPECT_EQ(TUUID::FromString(o.ToString(0)), u);
  EXPECT_EQ(TUUID::FromString(o.ToString(1)), u);
  try {
    o.ToString(2);
    ADD_FAILURE() << "no exception";
  } catch (const LogicException& e) {
    EXPECT_EQ(e.Error().Text(), "SimpleIdentifierFormatOption case not implemented.");
    EXPECT_EQ(e.Error().Line(), 56);
  }
}

using RegionSerializer = StructSerializer<ImageRegionInfo, ImageRegionInfo>;

TEST(ImageRegions, WriteEdgesAsWidthAndHeightAndReadBackEqual) {
  const ImageRegionInfo info(TRect(10, 20, 110, 70), VizImageRegion::Leftaxis);
  EXPECT_FALSE(info.IsLegendRegion());
  TraceCursor cursor(test::Registry());
  RegionSerializer::SerializeObj(info, cursor);
  EXPECT_EQ(cursor.Output(), test::Lines({"Parameter 0xd61c5044 10", "Parameter 0xd6c40da3 20", "Parameter 0xd6f8cce8 100",
                                          "Parameter 0xd6ec3e07 50", "Parameter 0xd6f15a00 leftaxis"}));
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd61c5044, test::Val(10));
  bag->SetParameter(0xd6c40da3, test::Val(20));
  bag->SetParameter(0xd6f8cce8, test::Val(100));
  bag->SetParameter(0xd6ec3e07, test::Val(50));
  bag->SetParameter(0xd6f15a00, test::Val(VizImageRegion::Leftaxis));
  EXPECT_EQ(RegionSerializer::ToObject(bag, 0), info);
}

TEST(ImageRegions, FieldNamesMakeALegendRegionAndAOneItemList) {
  const ImageRegionInfo legend(TRect(), VizImageRegion::Viz, {FieldName(u"[a]")});
  EXPECT_TRUE(legend.IsLegendRegion());
  TraceCursor cursor(test::Registry());
  RegionSerializer::SerializeObj(legend, cursor);
  const std::vector<std::string> tail(cursor.Output().end() - 3, cursor.Output().end());
  EXPECT_EQ(tail, test::Lines({"Begin ListStructure 0xd6a4a5d8", "ListItem [a]", "End"}));
  EXPECT_NE(legend, ImageRegionInfo(TRect(), VizImageRegion::Viz, {FieldName(u"[b]")}));
  EXPECT_NE(legend, ImageRegionInfo(TRect(), VizImageRegion::Viz, {FieldName(u"[a]"), FieldName(u"[a]")}));
}

TEST(ImageRegions, MissingMembersReadAsZeroButMistypedFieldNamesRaise) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd61c5044, test::Val(TString(u"10")));  // wrong type: read as 0
  EXPECT_EQ(RegionSerializer::ToObject(bag, 0), ImageRegionInfo());
  bag->SetParameter(0xd6a4a5d8, test::Val(std::vector<TString>{u"[a]"}));
  try {
    RegionSerializer::ToObject(bag, 0);
    ADD_FAILURE() << "no exception";
  } catch (const TypeMismatchCommandException& e) {
    EXPECT_EQ(e.ParameterId(), 0xd6a4a5d8u);
  }
}

TEST(ModelAccessors, MapsReplaceListsMoveAndCopy) {
  auto sink = MakeRefCnt<KitchenSinkPresModel>();
  sink->AddLabel(u"k", u"first");
  sink->AddLabel(u"k", u"second");
  EXPECT_EQ(sink->GetLabelCount(), 1u);
  EXPECT_EQ(sink->GetLabel(u"k"), TString(u"second"));
  EXPECT_TRUE(sink->HasLabel(u"k"));
  EXPECT_FALSE(sink->HasLabel(u"K"));

  std::vector<TString> names{u"a", u"b"};
  sink->SetNames(names);
  EXPECT_EQ(names.size(), 2u);
  sink->SetNames(std::move(names));
  EXPECT_TRUE(names.empty());  // NOLINT(bugprone-use-after-move): the setter takes the vector over
  EXPECT_EQ(sink->GetNameCount(), 2u);
  EXPECT_EQ(sink->GetName(1), TString(u"b"));
  sink->ClearNames();
  EXPECT_EQ(sink->GetNameCount(), 0u);
  // Outside the list or the map: the logic assertion, not a stray read.
  EXPECT_THROW(sink->GetName(0), LogicException);
  EXPECT_THROW(sink->GetLabel(u"missing"), LogicException);

  // A stem that ends in "s" gets the doubled plural.
  sink->AddActiveIDs(7u);
  EXPECT_EQ(sink->GetActiveIDsCount(), 1u);
  EXPECT_EQ(sink->GetActiveIDs(0), 7u);
  EXPECT_EQ(sink->GetActiveIDss(), std::vector<unsigned int>{7u});
  sink->ClearActiveIDss();
  EXPECT_EQ(sink->GetActiveIDsCount(), 0u);
}

TEST(ModelAccessors, ReleasingAModelReleasesWhatItAloneHolds) {
  auto kept = MakeRefCnt<Pair>();
  auto dropped = MakeRefCnt<Pair>();
  const Pair* droppedRaw = dropped.get();
  {
    auto sink = MakeRefCnt<KitchenSinkPresModel>();
    sink->AddPair(kept);
    sink->AddPair(std::move(dropped));
    EXPECT_EQ(kept->GetRefCount(), 2);
    EXPECT_EQ(droppedRaw->GetRefCount(), 1);
  }
  EXPECT_EQ(kept->GetRefCount(), 1);
}

TEST(ModelAccessors, NullHandlesRaiseOnUseOnly) {
  RefCntPtr<const Pair> none;
  RefCntPtr<const Pair> copy = none;
  EXPECT_EQ(copy, nullptr);
  test::ExpectNullPointerAssertion([&] { (void)none->GetFieldCaption(); });
}

TEST(ModelAccessors, NewModelsHoldTheirStartingValues) {
  const auto z = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  EXPECT_EQ(z->GetZoneID(), 0u);
  EXPECT_TRUE(z->GetCanSetZoneVisibilityFromField());
  EXPECT_FALSE(z->GetIsZoneVisibilityFromFieldChecked());
  EXPECT_EQ(z->GetSelectedFieldNameAndCaption(), nullptr);
  EXPECT_TRUE(z->GetErrorMessage().IsEmpty());
  const auto sink = MakeRefCnt<KitchenSinkPresModel>();
  EXPECT_EQ(sink->GetLayout(), ZoneLayoutType::Trivial);
  EXPECT_EQ(sink->GetAnnotation(), ActionType::Filter);
  EXPECT_EQ(sink->GetRatio(), 1.5);
}

}  // namespace

namespace {

TEST(HandWrittenPieces, MethodsAndSerializerStepsJoinTheGeneratedModel) {
  auto m = MakeRefCnt<HookedPresModel>();
  m->SetCount(4);
  m->SetExtra(9);
  EXPECT_EQ(m->Doubled(), 8);
  EXPECT_EQ(HookedPresModel::kLimit, 3);
  EXPECT_EQ(test::OutputOf(RefCntPtr<const HookedPresModel>(m)),
            test::Lines({"Parameter 0xd6ff0002 4", "Parameter 0xd6ff0040 9"}));
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd6ff0040, test::Val(5));
  EXPECT_EQ((StructSerializer<RefCntPtr<const HookedPresModel>, RefCntPtr<HookedPresModel>>::ToObject(bag, 0, nullptr)
                 ->GetExtra()),
            5);
}

}  // namespace
