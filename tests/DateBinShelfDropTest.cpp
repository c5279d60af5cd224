// The date bin dialog's walk over the aggregation table, and shelf drop positions: their
// encodings rebuilt before comparing, emptiness and copies.

#include "TestSupport.h"
#include "models/DateBinModels.h"
#include "models/ShelfDropModels.h"
#include "vqxcore/DateTimeAggInfo.h"
#include "vqxcoreplatform/StringResources.h"

namespace {

using Aggs = std::vector<AggType>;
using Dialog = DateBinDialogPresModel;

constexpr AggType kExactDate{12};  // also the answer when a position names no level

// The aggregation at a position of the core's table.
AggType At(std::size_t position) { return GetDateTimeAggInfo()[position].agg; }

// The text an option for the level shows.
TString TextOf(AggType agg) { return agg == kExactDate ? LookupTStr(381110460u) : DisplayStrFromAggTypePretty(agg); }

TEST(DateBinDialog, PositionsCountOnlyTheOfferedLevelsInTableOrder) {
  const int tableSize = static_cast<int>(GetDateTimeAggInfo().size());
  for (const Aggs& offered : {Aggs{At(5), At(2)}, Aggs{At(2), At(5)}, Aggs{At(5), At(2), At(5)}}) {
    SCOPED_TRACE(offered.size());
    struct Case {
      int index;
      AggType agg;
    };
    const Case cases[] = {{0, At(2)}, {1, At(5)}, {2, kExactDate}, {-1, kExactDate}, {tableSize, kExactDate}};
    for (const Case& c : cases) EXPECT_EQ(Dialog::AggFromIndex(c.index, offered), c.agg) << c.index;
    EXPECT_EQ(Dialog::IndexFromAgg(At(2), offered), 0);
    EXPECT_EQ(Dialog::IndexFromAgg(At(5), offered), 1);
    EXPECT_EQ(Dialog::IndexFromAgg(At(0), offered), -1);  // not offered
  }
  EXPECT_EQ(Dialog::AggFromIndex(0, {}), kExactDate);
  EXPECT_EQ(Dialog::IndexFromAgg(At(2), {}), -1);
  EXPECT_EQ(Dialog::AggFromIndex(tableSize - 1, Aggs{At(0)}), kExactDate);  // past the offered
  // An offered value the table does not hold takes no position.
  EXPECT_EQ(Dialog::AggFromIndex(0, Aggs{AggType{0}, At(3)}), At(3));
  EXPECT_EQ(Dialog::IndexFromAgg(AggType{0}, Aggs{AggType{0}, At(3)}), -1);
  // Inverse over the whole table, and in step with the options added.
  Aggs all;
  for (const auto& e : GetDateTimeAggInfo()) all.push_back(e.agg);
  auto dialog = MakeRefCnt<Dialog>();
  dialog->AddOptions(all);
  ASSERT_EQ(dialog->GetDateOptionCount(), static_cast<unsigned int>(tableSize));
  for (int i = 0; i < tableSize; ++i) {
    const AggType agg = Dialog::AggFromIndex(i, all);
    EXPECT_EQ(Dialog::IndexFromAgg(agg, all), i);
    EXPECT_EQ(dialog->GetDateOption(static_cast<unsigned int>(i))->GetString(), TextOf(agg));
  }
}

TEST(DateBinDialog, OptionsFollowTheTableOncePerEntryWithTheExactDateTexts) {
  const auto& table = GetDateTimeAggInfo();
  auto dialog = MakeRefCnt<Dialog>();
  Aggs offered;
  for (const auto& e : table) offered.insert(offered.begin(), {e.agg, e.agg});  // reversed, twice each
  dialog->AddOptions(offered);
  ASSERT_EQ(dialog->GetDateOptionCount(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& option = *dialog->GetDateOption(static_cast<unsigned int>(i));
    EXPECT_EQ(option.GetAllowWholeDate(), table[i].canBeWholeDate);
    EXPECT_EQ(option.GetForceWholeDate(), !table[i].canBeDatePart);
    EXPECT_EQ(option.GetString(), TextOf(table[i].agg));
    EXPECT_EQ(option.GetAbbreviation(),
              table[i].agg == kExactDate ? LookupTStr(0xBC871A5Eu) : DisplayStrFromAggTypePretty(table[i].agg));
  }
  EXPECT_NE(LookupTStr(381110460u), LookupTStr(0xBC871A5Eu));
  dialog->AddOptions({});
  EXPECT_EQ(dialog->GetDateOptionCount(), table.size());
  dialog->AddOptions({AggType::Month});  // appended after what is there
  EXPECT_EQ(dialog->GetDateOption(static_cast<unsigned int>(table.size()))->GetString(),
            DisplayStrFromAggTypePretty(AggType::Month));
}

const EncodingTypeClass kColour(EncodingType{0});
const EncodingTypeClass kCustom(TString(u"my-encoding"));

RefCntPtr<ShelfDropPositionPresModel> Drop(const EncodingTypeClass& encoding = EncodingTypeClass()) {
  return MakeRefCnt<ShelfDropPositionPresModel>(ShelfType{1}, 3, ShelfDropAction{1}, true, false, encoding, true, 7);
}

RefCntPtr<const EncodingTypePresModel> EncodingModel(int builtIn, const char16_t* id) {
  auto m = MakeRefCnt<EncodingTypePresModel>(EncodingType{builtIn});
  m->SetCustomTypeId(id);
  return m;
}

TEST(ShelfDrop, ADefaultPositionIsEmptyAndWritesOnlyTheOverride) {
  const auto empty = MakeRefCnt<ShelfDropPositionPresModel>();
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_EQ(test::OutputOf(RefCntPtr<const ShelfDropPositionPresModel>(empty)),
            test::Lines({"Parameter 0xd68cbe6c false"}));
  struct Case {
    int shelf, index;
    bool empty;
  };
  const Case cases[] = {{1, 3, false}, {1, 0, false}, {1, -1, true}, {1, -2, true}, {0, 3, true}, {2, 0, false}};
  for (const Case& c : cases) {
    auto drop = Drop();
    drop->SetShelfType(ShelfType{c.shelf});
    drop->SetIndex(c.index);
    EXPECT_EQ(drop->IsEmpty(), c.empty) << c.shelf << " " << c.index;
  }
}

TEST(ShelfDrop, TheConstructorSetsEveryFieldAndClonesCopyThem) {
  const auto drop = MakeRefCnt<ShelfDropPositionPresModel>(ShelfType{2}, 4, ShelfDropAction{1}, true, true, kCustom,
                                                           true, 9);
  EXPECT_EQ(drop->GetShelfType(), ShelfType{2});
  EXPECT_EQ(drop->GetIndex(), 4);
  EXPECT_EQ(drop->GetAction(), ShelfDropAction{1});
  EXPECT_TRUE(drop->GetIsFolded() && drop->GetIsOverlay() && drop->GetOverrideOrigEncoding());
  EXPECT_EQ(drop->GetPaneSpecificationId(), 9);
  EXPECT_EQ(drop->GetEncodingType(), kCustom);

  const auto clone = drop->Clone();
  EXPECT_NE(clone.get(), drop.get());
  EXPECT_NE(clone->GetEncodingTypePresModel(), drop->GetEncodingTypePresModel());  // a new encoding model
  EXPECT_EQ(*clone, *drop);
  EXPECT_EQ(clone->GetEncodingTypePresModel()->GetCustomTypeId(), TString(u"my-encoding"));
  EXPECT_TRUE(clone->GetIsOverlay());

  auto none = Drop();
  none->SetEncodingTypePresModel(nullptr);
  const auto filled = none->Clone();
  ASSERT_NE(filled->GetEncodingTypePresModel(), nullptr);
  EXPECT_EQ(filled->GetEncodingTypePresModel()->GetBuiltInType(), EncodingTypeClass().GetBuiltInType());
  EXPECT_EQ(*filled, *none);
}

TEST(ShelfDrop, PositionsCompareEveryFieldAndTheEncodingsAsTheTypesTheyStandFor) {
  struct Case {
    const char* what;
    void (*change)(ShelfDropPositionPresModel&);
    bool equal;
  };
  const Case cases[] = {
      {"nothing", [](ShelfDropPositionPresModel&) {}, true},
      {"no encoding model", [](ShelfDropPositionPresModel& d) { d.SetEncodingTypePresModel(nullptr); }, true},
      {"a custom id on a built-in encoding",
       [](ShelfDropPositionPresModel& d) { d.SetEncodingTypePresModel(EncodingModel(15, u"ignored")); }, true},
      {"shelf", [](ShelfDropPositionPresModel& d) { d.SetShelfType(ShelfType{2}); }, false},
      {"index", [](ShelfDropPositionPresModel& d) { d.SetIndex(4); }, false},
      {"action", [](ShelfDropPositionPresModel& d) { d.SetAction(ShelfDropAction{2}); }, false},
      {"folded", [](ShelfDropPositionPresModel& d) { d.SetIsFolded(false); }, false},
      {"overlay", [](ShelfDropPositionPresModel& d) { d.SetIsOverlay(true); }, false},
      {"encoding", [](ShelfDropPositionPresModel& d) { d.SetEncodingType(kColour); }, false},
      {"override", [](ShelfDropPositionPresModel& d) { d.SetOverrideOrigEncoding(false); }, false},
      {"pane", [](ShelfDropPositionPresModel& d) { d.SetPaneSpecificationId(8); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto changed = Drop();
    c.change(*changed);
    EXPECT_EQ(*changed == *Drop(), c.equal);
    EXPECT_EQ(*changed != *Drop(), !c.equal);
  }
  EXPECT_EQ(*Drop(kCustom), *Drop(kCustom));
  EXPECT_NE(*Drop(kCustom), *Drop(EncodingTypeClass(TString(u"other"))));
  EXPECT_NE(*Drop(kCustom), *Drop());
}

// The encoding each model that nests an encoding model rebuilds from it.
template <typename M>
void ExpectEncodings() {
  struct Case {
    const char* what;
    RefCntPtr<const EncodingTypePresModel> model;
    EncodingTypeClass expected;
  };
  const Case cases[] = {
      {"no model", nullptr, EncodingTypeClass()},
      {"built-in", EncodingModel(0, u""), kColour},
      {"built-in with an id", EncodingModel(0, u"x"), kColour},
      {"custom", EncodingModel(14, u"my-encoding"), kCustom},
      {"custom without id", EncodingModel(14, u""), EncodingTypeClass(TString())},
  };
  for (const Case& c : cases) {
    auto m = MakeRefCnt<M>();
    m->SetEncodingTypePresModel(c.model);
    const EncodingTypeClass got = m->GetEncodingType();
    EXPECT_EQ(got, c.expected) << c.what;
    EXPECT_EQ(got.CustomTypeId(), c.expected.CustomTypeId()) << c.what;
  }
  auto m = MakeRefCnt<M>();
  const RefCntPtr<const EncodingTypePresModel> before = EncodingModel(0, u"");
  m->SetEncodingTypePresModel(before);
  m->SetEncodingType(kCustom);  // a new model replaces the one held
  ASSERT_NE(m->GetEncodingTypePresModel(), before);
  EXPECT_EQ(m->GetEncodingTypePresModel()->GetBuiltInType(), EncodingType{14});
  EXPECT_EQ(m->GetEncodingTypePresModel()->GetCustomTypeId(), TString(u"my-encoding"));
  EXPECT_EQ(m->GetEncodingType().CustomTypeId(), TString(u"my-encoding"));
  EXPECT_EQ(before->GetBuiltInType(), EncodingType{0});
}

TEST(ShelfDrop, EncodingsAreRebuiltFromTheNestedModel) {
  ExpectEncodings<ShelfDropPositionPresModel>();
  ExpectEncodings<FieldEncodingPresModel>();
  ExpectEncodings<ShelfItemPresModel>();

  const auto custom = MakeRefCnt<EncodingTypePresModel>(kCustom);
  EXPECT_EQ(custom->GetBuiltInType(), EncodingType{14});
  EXPECT_EQ(custom->GetCustomTypeId(), TString(u"my-encoding"));
  const auto builtIn = MakeRefCnt<EncodingTypePresModel>(EncodingType{3});
  EXPECT_EQ(builtIn->GetBuiltInType(), EncodingType{3});
  EXPECT_TRUE(builtIn->GetCustomTypeId().IsEmpty());

  const auto field = MakeRefCnt<FieldEncodingPresModel>(Pill(FieldName(u"[Sales]"), kColour));
  EXPECT_EQ(field->GetFieldName(), FieldName(u"[Sales]"));
  EXPECT_EQ(field->GetEncodingType(), kColour);
  const auto named = MakeRefCnt<FieldEncodingPresModel>(FieldName(u"[Profit]"), kCustom);
  EXPECT_EQ(named->GetFieldName(), FieldName(u"[Profit]"));
  EXPECT_EQ(named->GetEncodingType(), kCustom);
}

}  // namespace
