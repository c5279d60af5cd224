// One zone-visibility model through building, wrapping, writing, replaying and reading.

#include "TestSupport.h"

using test::Lines;

namespace {

using ZoneSerializer = StructSerializer<RefCntPtr<const ZoneVisibilityFromFieldPresModel>,
                                        RefCntPtr<ZoneVisibilityFromFieldPresModel>>;
using HolderSerializer = StructSerializer<RefCntPtr<const ZoneListHolderPresModel>, RefCntPtr<ZoneListHolderPresModel>>;

struct WorkedExample : ::testing::Test {
  RefCntPtr<const FieldCaptionPairPresModel> p = test::Pair(u"[ds].[F]", u"K");
  RefCntPtr<const ZoneVisibilityFromFieldPresModel> z = [this] {
    auto m = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
    m->SetZoneID(7);
    m->SetSelectedFieldNameAndCaption(p);
    return RefCntPtr<const ZoneVisibilityFromFieldPresModel>(m);
  }();
  RefCntPtr<const ZoneListHolderPresModel> holder = [this] {
    auto h = MakeRefCnt<ZoneListHolderPresModel>();
    h->AddZoneVisibilityFromFieldList(z);
    return RefCntPtr<const ZoneListHolderPresModel>(h);
  }();
};

TEST_F(WorkedExample, WrappingStoresTheModelAloneUnderItsDefaultId) {
  RefCntPtr<IParameters> bag = z->AsIParameters();
  ASSERT_EQ(bag->GetCount(), 1u);
  ASSERT_TRUE(bag->HasParameter(z->GetDefaultParamID()));
  const auto* held = dynamic_cast<const ValParameter<RefCntPtr<const ZoneVisibilityFromFieldPresModel>>*>(
      bag->GetParameter(0xf1d7423e));
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->Value().get(), z.get());
}

TEST_F(WorkedExample, FirstWriteCapturesEachModelAndSecondWriteReplays) {
  TraceCursor first(test::Registry());
  HolderSerializer::SerializeObj(holder, first);
  EXPECT_EQ(first.Calls(), Lines({
                               "BeginCapture",  // the holder's own capture
                               "Begin ListStructure 0xd6d670fa",
                               "Begin SubStructure 0xd63eb020",
                               "BeginCapture",
                               "Parameter 0xd620d6ca 7",
                               "Parameter 0xd60c86af true",
                               "Parameter 0xd6495ce3 false",
                               "Begin SubStructure 0xd6ccfec3",
                               "BeginCapture",
                               "Parameter 0xd90f8c9b [ds].[F]",
                               "Parameter 0xd6a5b43f K",
                               "EndCapture",
                               "End",
                               "Parameter 0xd69cf854 ",
                               "EndCapture",
                               "End",
                               "End",
                               "EndCapture",
                           }));
  EXPECT_FALSE(p->GetSerializedVal().empty());
  EXPECT_FALSE(z->GetSerializedVal().empty());

  // A model that was never written keeps an empty cache.
  EXPECT_TRUE(MakeRefCnt<ZoneVisibilityFromFieldPresModel>()->GetSerializedVal().empty());

  // The zone alone, and then P alone: one replay each, nothing else.
  TraceCursor again(test::Registry());
  ZoneSerializer::SerializeObj(z, again);
  EXPECT_EQ(again.Calls(), Lines({"ReplayCapture"}));
  EXPECT_EQ(test::TraceOf(p), Lines({"ReplayCapture"}));

  // Replayed output equals the first write's.
  TraceCursor fresh(test::Registry());
  HolderSerializer::SerializeObj(holder, fresh);
  EXPECT_EQ(fresh.Output(), first.Output());
}

TEST_F(WorkedExample, SecondWriteReadsNoMember) {
  auto model = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  model->SetSelectedFieldNameAndCaption(p);
  const RefCntPtr<const ZoneVisibilityFromFieldPresModel> shared(model);
  const auto first = test::OutputOf(shared);
  // Changing a handed-out model breaks the contract; the recorded text still stands for it.
  model->SetZoneID(99);
  EXPECT_EQ(test::OutputOf(shared), first);
}

TEST_F(WorkedExample, NullNestedModelRaisesAfterItsScopeOpenedAndClosesIt) {
  auto model = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] { ZoneSerializer::SerializeObj(model, cursor); });
  ASSERT_GE(cursor.Calls().size(), 2u);
  EXPECT_EQ(cursor.Calls()[cursor.Calls().size() - 2], "Begin SubStructure 0xd6ccfec3");
  EXPECT_EQ(cursor.Calls().back(), "End");
  EXPECT_EQ(cursor.OpenScopes(), 0);
  // The capture stays open and the cache empty.
  EXPECT_EQ(cursor.OpenCaptures(), 1);
  EXPECT_TRUE(model->GetSerializedVal().empty());
}

TEST_F(WorkedExample, NullListItemRaisesInsideTheItemScopeAndClosesBoth) {
  auto h = MakeRefCnt<ZoneListHolderPresModel>();
  h->AddZoneVisibilityFromFieldList(nullptr);
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] { HolderSerializer::SerializeObj(h, cursor); });
  EXPECT_EQ(cursor.Calls(), Lines({"BeginCapture", "Begin ListStructure 0xd6d670fa", "Begin SubStructure 0xd63eb020",
                                   "End", "End"}));
}

TEST_F(WorkedExample, ReadingTakesTypedMembersAndSkipsOthers) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd620d6ca, test::Val(7u));
  bag->SetParameter(0xd60c86af, test::Val(0));  // an int where a flag belongs: skipped
  bag->SetParameter(0xd6ccfec3, test::Val(p));
  const auto read = ZoneSerializer::ToObject(bag, ZoneVisibilityFromFieldPresModel::ID, nullptr);
  EXPECT_EQ(read->GetZoneID(), 7u);
  EXPECT_TRUE(read->GetCanSetZoneVisibilityFromField());
  EXPECT_FALSE(read->GetIsZoneVisibilityFromFieldChecked());
  EXPECT_EQ(read->GetSelectedFieldNameAndCaption().get(), p.get());
  EXPECT_TRUE(read->GetErrorMessage().IsEmpty());
}

TEST_F(WorkedExample, AnEmptyBagGivesTheConstructorsValues) {
  const auto read = ZoneSerializer::ToObject(MakeRefCnt<Parameters>(), 0, nullptr);
  EXPECT_EQ(read->GetZoneID(), 0u);
  EXPECT_TRUE(read->GetCanSetZoneVisibilityFromField());
  EXPECT_FALSE(read->GetIsZoneVisibilityFromFieldChecked());
  EXPECT_EQ(read->GetSelectedFieldNameAndCaption(), nullptr);
  EXPECT_TRUE(read->GetErrorMessage().IsEmpty());
}

TEST_F(WorkedExample, ListIsReadUnderItsListIdNotItsItemId) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(0xd63eb020, test::Val(std::vector<RefCntPtr<const ZoneVisibilityFromFieldPresModel>>{z}));
  EXPECT_EQ(HolderSerializer::ToObject(bag, 0, nullptr)->GetZoneVisibilityFromFieldListCount(), 0u);
  bag->SetParameter(0xd6d670fa, test::Val(std::vector<RefCntPtr<const ZoneVisibilityFromFieldPresModel>>{z}));
  const auto read = HolderSerializer::ToObject(bag, 0, nullptr);
  ASSERT_EQ(read->GetZoneVisibilityFromFieldListCount(), 1u);
  EXPECT_EQ(read->GetZoneVisibilityFromFieldList(0).get(), z.get());
}

}  // namespace
