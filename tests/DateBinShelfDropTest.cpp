// The date bin dialog's walk over the aggregation table, and shelf drop positions: their
// encodings rebuilt before comparing, emptiness and copies.

#include "TestSupport.h"
#include "models/DateBinModels.h"
#include "models/ShelfDropModels.h"
#include "vqxcore/DateTimeAggInfo.h"
#include "vqxcoreplatform/StringResources.h"

namespace {

using Aggs = std::vector<AggType>;

// The aggregation at a position of the core's table.
AggType At(std::size_t position) { return GetDateTimeAggInfo()[position].agg; }

TEST(DateBinDialog, PositionsCountOnlyTheOfferedLevelsInTableOrder) {
  const Aggs offered{At(5), At(2)};  // out of table order
  const int tableSize = static_cast<int>(GetDateTimeAggInfo().size());
  struct Case {
    int index;
    Aggs offered;
    AggType agg;
  };
  const Case cases[] = {
      {0, offered, At(2)},          {1, offered, At(5)},          {2, offered, AggType::None},  // past the offered
      {-1, offered, AggType::None}, {0, {}, AggType::None},       {tableSize, Aggs{At(0)}, AggType::None},
      {tableSize - 1, Aggs{At(0)}, AggType::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DateBinDialogPresModel::AggFromIndex(c.index, c.offered), c.agg) << c.index;
  EXPECT_EQ(DateBinDialogPresModel::IndexFromAgg(At(2), offered), 0);
  EXPECT_EQ(DateBinDialogPresModel::IndexFromAgg(At(5), offered), 1);
  EXPECT_EQ(DateBinDialogPresModel::IndexFromAgg(At(0), offered), -1);
  EXPECT_EQ(DateBinDialogPresModel::IndexFromAgg(At(2), {}), -1);
  // Inverse over the whole table.
  Aggs all;
  for (const auto& e : GetDateTimeAggInfo()) all.push_back(e.agg);
  for (int i = 0; i < tableSize; ++i)
    EXPECT_EQ(DateBinDialogPresModel::IndexFromAgg(DateBinDialogPresModel::AggFromIndex(i, all), all), i);
}

TEST(DateBinDialog, OptionsFollowTheTableOncePerEntryWithTheExactDateTexts) {
  const auto& table = GetDateTimeAggInfo();
  std::size_t month = 0;
  while (table[month].agg != AggType::Month) ++month;
  auto dialog = MakeRefCnt<DateBinDialogPresModel>();
  dialog->AddOptions({AggType::None, AggType::Month, AggType::Month});
  ASSERT_EQ(dialog->GetDateOptionCount(), 2u);
  const auto& first = *dialog->GetDateOption(0);
  EXPECT_EQ(first.GetString(), DisplayStrFromAggTypePretty(AggType::Month));
  EXPECT_EQ(first.GetAbbreviation(), first.GetString());
  EXPECT_EQ(first.GetAllowWholeDate(), table[month].canBeWholeDate);
  EXPECT_EQ(first.GetForceWholeDate(), !table[month].canBeDatePart);
  const auto& exact = *dialog->GetDateOption(1);
  EXPECT_EQ(exact.GetString(), LookupTStr(381110460u));
  EXPECT_EQ(exact.GetAbbreviation(), LookupTStr(0xBC871A5Eu));
  EXPECT_NE(exact.GetString(), exact.GetAbbreviation());
  EXPECT_TRUE(exact.GetForceWholeDate());
  dialog->AddOptions({});
  EXPECT_EQ(dialog->GetDateOptionCount(), 2u);
}

const EncodingTypeClass kColour(EncodingType{0});
const EncodingTypeClass kCustom(TString(u"my-encoding"));

RefCntPtr<ShelfDropPositionPresModel> Drop(const EncodingTypeClass& encoding = EncodingTypeClass()) {
  return MakeRefCnt<ShelfDropPositionPresModel>(ShelfType{1}, 3, ShelfDropAction{1}, true, false, encoding, true, 7);
}

TEST(ShelfDrop, ADefaultPositionIsEmptyAndWritesOnlyTheOverride) {
  const auto empty = MakeRefCnt<ShelfDropPositionPresModel>();
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_EQ(test::OutputOf(RefCntPtr<const ShelfDropPositionPresModel>(empty)),
            test::Lines({"Parameter 0xd68cbe6c false"}));
  EXPECT_FALSE(Drop()->IsEmpty());
  auto noIndex = Drop();
  noIndex->SetIndex(-2);
  EXPECT_TRUE(noIndex->IsEmpty());
  auto noShelf = Drop();
  noShelf->SetShelfType(ShelfType{0});
  EXPECT_TRUE(noShelf->IsEmpty());
}

TEST(ShelfDrop, EncodingsCompareAsTheTypesTheyStandFor) {
  auto none = Drop();
  none->SetEncodingTypePresModel(nullptr);
  EXPECT_EQ(*none, *Drop());  // a missing encoding model is the default encoding
  EXPECT_NE(*Drop(kColour), *Drop());
  EXPECT_NE(*Drop(kCustom), *Drop(EncodingTypeClass(TString(u"other"))));
  EXPECT_EQ(*Drop(kCustom), *Drop(kCustom));
  auto pane = Drop();
  pane->SetPaneSpecificationId(8);
  EXPECT_TRUE(*pane != *Drop());
  auto over = Drop();
  over->SetOverrideOrigEncoding(false);
  EXPECT_NE(*over, *Drop());
}

TEST(ShelfDrop, ConversionsAndCloneKeepTheEncoding) {
  auto drop = Drop();
  drop->SetEncodingType(kCustom);
  EXPECT_EQ(drop->GetEncodingType().CustomTypeId(), TString(u"my-encoding"));
  EXPECT_EQ(drop->GetEncodingType(), kCustom);

  drop->SetEncodingTypePresModel(nullptr);
  const auto clone = drop->Clone();
  ASSERT_NE(clone->GetEncodingTypePresModel(), nullptr);
  EXPECT_EQ(clone->GetEncodingTypePresModel()->GetBuiltInType(), EncodingTypeClass().GetBuiltInType());
  EXPECT_EQ(*clone, *drop);
  EXPECT_NE(clone.get(), drop.get());

  const auto field = MakeRefCnt<FieldEncodingPresModel>(Pill(FieldName(u"[Sales]"), kColour));
  EXPECT_EQ(field->GetFieldName(), FieldName(u"[Sales]"));
  EXPECT_EQ(field->GetEncodingType(), kColour);
  EXPECT_EQ(MakeRefCnt<FieldEncodingPresModel>()->GetEncodingType(), EncodingTypeClass());
  auto shelfItem = MakeRefCnt<ShelfItemPresModel>();
  shelfItem->SetEncodingType(kCustom);
  EXPECT_EQ(shelfItem->GetEncodingType(), kCustom);
}

}  // namespace
