// Filters: the categorical filter's queries over its in-memory tuples at their bounds, clone
// depth, fresh cache handles, and tuples through wire text.

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "models/FiltersModels.h"
#include "vqxcore/MultiDomain.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

RefCntPtr<Tuple> T(std::int64_t a, const char16_t* b) {
  return MakeRefCnt<Tuple>(std::vector<DataValue>{DataValue(a), DataValue(TString(b))});
}

RefCntPtr<MultiDomain> Domain(std::initializer_list<RefCntPtr<Tuple>> tuples) {
  auto d = MakeRefCnt<MultiDomain>();
  for (const auto& t : tuples) d->AddValue(t);
  return d;
}

void ExpectLogicAssert(const std::function<void()>& f, const std::string& text) {
  try {
    f();
    ADD_FAILURE() << "no exception for " << text;
  } catch (const LogicException& e) {
    EXPECT_EQ(e.Error().Text(), text);
  }
}

TEST(CategoricalFilterQueries, DomainTuplesAtTheirBounds) {
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  test::ExpectNullPointerAssertion([&] { (void)f->GetDomainTupleCount(); });
  test::ExpectNullPointerAssertion([&] { (void)f->GetDomainTuple(0); });
  f->SetDomain(Domain({T(1, u"a"), T(2, u"b")}));
  EXPECT_EQ(f->GetDomainTupleCount(), 2u);
  EXPECT_EQ(*f->GetDomainTuple(1), *T(2, u"b"));
  for (std::uint64_t bad : {std::uint64_t{2}, std::uint64_t{1} << 32, ~std::uint64_t{0}})
    ExpectLogicAssert([&] { (void)f->GetDomainTuple(bad); }, "GetDomainTupleCount() > index");
}

TEST(CategoricalFilterQueries, TheSelectedDomainWinsOverTheSet) {
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  ExpectLogicAssert([&] { (void)f->GetSelectedTuple(0); }, "GetSelectedTuples().size() > index");

  std::unordered_set<RefCntPtr<Tuple>, DerefHash, DerefEquals> set{T(1, u"a")};
  f->SetSelectedTuples(set);
  EXPECT_EQ(f->GetSelectedTupleCount(), 1u);
  EXPECT_TRUE(f->IsTupleSelected(T(1, u"a")));  // an equal tuple, not the same object
  EXPECT_FALSE(f->IsTupleSelected(T(1, u"b")));
  EXPECT_EQ(*f->GetSelectedTuple(0), *T(1, u"a"));
  ExpectLogicAssert([&] { (void)f->GetSelectedTuple(1); }, "GetSelectedTuples().size() > index");

  f->SetSelectedTuplesDomain(Domain({T(7, u"x"), T(8, u"y"), T(9, u"z")}));
  EXPECT_EQ(f->GetSelectedTupleCount(), 3u);
  EXPECT_EQ(*f->GetSelectedTuple(2), *T(9, u"z"));
  EXPECT_TRUE(f->IsTupleSelected(T(8, u"y")));
  EXPECT_FALSE(f->IsTupleSelected(T(1, u"a")));  // the set is not consulted
  ExpectLogicAssert([&] { (void)f->GetSelectedTuple(3); }, "m_selectedTuplesDomain->GetSize() > index");

  f->SetSelectedTuplesDomain(RefCntPtr<MultiDomain>());
  EXPECT_EQ(f->GetSelectedTupleCount(), 1u);
  EXPECT_TRUE(f->IsTupleSelected(T(1, u"a")));
}

TEST(CategoricalFilterQueries, WalkingTheSetReachesEveryTupleOnce) {
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  std::unordered_set<RefCntPtr<Tuple>, DerefHash, DerefEquals> set;
  for (int i = 0; i < 20; ++i) set.insert(T(i, u"v"));
  f->SetSelectedTuples(set);
  std::unordered_set<RefCntPtr<Tuple>, DerefHash, DerefEquals> seen;
  for (std::uint64_t i = 0; i < f->GetSelectedTupleCount(); ++i) seen.insert(f->GetSelectedTuple(i));
  EXPECT_EQ(seen.size(), 20u);
}

TEST(CategoricalFilterQueries, WithoutAFieldNothingIsAllowedOrShown) {
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  EXPECT_FALSE(f->AllowAllRange());
  EXPECT_FALSE(f->AllowManualRange());
  EXPECT_EQ(f->GetDisplayText(*T(1, u"a")), TString());
}

TEST(CategoricalFilterCacheInfo, EachHandleGetsAFreshUuidThatSurvivesText) {
  auto a = MakeRefCnt<CategoricalFilterCacheInfoPresModel>();
  auto b = MakeRefCnt<CategoricalFilterCacheInfoPresModel>();
  EXPECT_NE(a->GetCacheGuid(), b->GetCacheGuid());
  EXPECT_NE(a->GetCacheGuid(), TUUID());
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(JsonCursor::Write(test::Registry(), *a->AsIParameters()));
  const auto& read = dynamic_cast<const ValParameter<RefCntPtr<const CategoricalFilterCacheInfoPresModel>>&>(
                         *bag->GetParameter(CategoricalFilterCacheInfoPresModel::ID))
                         .Value();
  EXPECT_EQ(read->GetCacheGuid(), a->GetCacheGuid());
}

TEST(FilterClones, PerspectivesAndBoundsAreCopiedDeep) {
  auto pair = MakeRefCnt<TuplePairPresModel>();
  pair->SetFirst(T(1, u"lo"));
  auto bound = MakeRefCnt<DimensionBoundPresModel>();
  bound->SetTuplePair(pair);
  auto dim = MakeRefCnt<IndependentDimensionPresModel>();
  dim->SetName(u"d");
  auto perspective = MakeRefCnt<PerspectivePresModel>();
  perspective->AddIndependentDimension(dim);
  auto info = MakeRefCnt<FilterPerspectiveInfoPresModel>();
  info->SetCaption(u"c");
  info->SetVADPerspective(perspective);
  info->AddPerspectiveBound(bound);

  const auto copy = info->Clone();
  EXPECT_EQ(copy->GetCaption(), info->GetCaption());
  ASSERT_TRUE(copy->GetVADPerspective());
  EXPECT_NE(copy->GetVADPerspective().get(), perspective.get());
  ASSERT_EQ(copy->GetVADPerspective()->GetIndependentDimensionCount(), 1u);
  EXPECT_NE(copy->GetVADPerspective()->GetIndependentDimensions()[0].get(), dim.get());
  EXPECT_EQ(copy->GetVADPerspective()->GetIndependentDimensions()[0]->GetName(), TString(u"d"));
  ASSERT_EQ(copy->GetPerspectiveBoundCount(), 1u);
  const auto& copiedBound = copy->GetPerspectiveBounds()[0];
  EXPECT_NE(copiedBound.get(), bound.get());
  EXPECT_NE(copiedBound->GetTuplePair().get(), pair.get());
  EXPECT_EQ(copiedBound->GetTuplePair()->GetFirst().get(), pair->GetFirst().get());  // tuples are values, shared

  // Null nested models stay null.
  const auto empty = MakeRefCnt<FilterPerspectiveInfoPresModel>()->Clone();
  EXPECT_FALSE(empty->GetVADPerspective());
}

TEST(FilterClones, QuantitativeAndRelativeDateFiltersShareTheirLists) {
  auto q = MakeRefCnt<QuantitativeFilterPresModel>();
  q->SetWorksheet(u"Sheet 1");
  q->AddSupportedDomainType(MakeRefCnt<FilterDomainTypeCaptionPresModel>());
  const auto qc = q->Clone();
  EXPECT_NE(qc.get(), q.get());
  EXPECT_EQ(qc->GetWorksheet(), TString(u"Sheet 1"));
  ASSERT_EQ(qc->GetSupportedDomainTypeCount(), 1u);
  EXPECT_EQ(qc->GetSupportedDomainTypes()[0].get(), q->GetSupportedDomainTypes()[0].get());
  // The copy is written afresh: changing it does not change what the source writes.
  const auto before = test::OutputOf(RefCntPtr<const QuantitativeFilterPresModel>(q));
  qc->SetWorksheet(u"other");
  EXPECT_EQ(test::OutputOf(RefCntPtr<const QuantitativeFilterPresModel>(q)), before);
  EXPECT_NE(test::OutputOf(RefCntPtr<const QuantitativeFilterPresModel>(qc)), before);

  auto r = MakeRefCnt<RelativeDateFilterPresModel>();
  r->SetAnchorString(u"today");
  EXPECT_EQ(r->Clone()->GetAnchorString(), TString(u"today"));
}

TEST(Tuples, ThroughWireTextKeepTheirValuesAndOrder) {
  auto pair = MakeRefCnt<TuplePairPresModel>();
  auto first = MakeRefCnt<Tuple>(std::vector<DataValue>{DataValue(TString(u"b")), DataValue(std::int64_t{-3}),
                                                        DataValue(2.5), DataValue(true), DataValue()});
  pair->SetFirst(first);
  pair->SetSecond(MakeRefCnt<Tuple>());  // an empty tuple is not a null one
  const std::string text = JsonCursor::Write(test::Registry(), *pair->AsIParameters());
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text);
  const auto& read =
      dynamic_cast<const ValParameter<RefCntPtr<const TuplePairPresModel>>&>(*bag->GetParameter(TuplePairPresModel::ID))
          .Value();
  ASSERT_TRUE(read->GetFirst());
  EXPECT_EQ(*read->GetFirst(), *first);
  ASSERT_TRUE(read->GetSecond());
  EXPECT_EQ(read->GetSecond()->GetSize(), 0u);

}

TEST(CategoricalFilterHierarchy, WritesAreReentrantAndAFlaggedLevelWritesNothing) {
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  f->SetPattern(u"a*");
  const RefCntPtr<const CategoricalFilterPresModel> c(f);
  const auto first = test::OutputOf(c);
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(test::OutputOf(c), first);
  auto g = MakeRefCnt<CategoricalFilterPresModel>();  // a fresh model: no cached write
  g->SetPattern(u"a*");
  g->SetIsSerializingCategoricalFilterPresModel(true);
  const auto flagged = test::OutputOf(RefCntPtr<const CategoricalFilterPresModel>(g));
  EXPECT_LT(flagged.size(), first.size());
  EXPECT_EQ(std::count(flagged.begin(), flagged.end(), std::string("Value 0xd6b8b535 a*")), 0);
}

TEST(FilterDialogs, AQuantitativeDialogThroughTextAndBack) {
  auto filter = MakeRefCnt<QuantitativeFilterPresModel>();
  filter->SetColumnCaption(u"Sales");
  filter->AddSupportedDomainType(MakeRefCnt<FilterDomainTypeCaptionPresModel>());
  auto range = MakeRefCnt<QuantitativeFilterDialogRangePresModel>();
  range->SetMinValue(u"1");
  range->SetIsMaxOpen(true);
  auto dialog = MakeRefCnt<QuantitativeFilterDialogPresModel>();
  dialog->SetQuantitativeFilter(filter);
  dialog->SetQuantitativeFilterRange(range);
  dialog->SetShowApply(false);
  const std::string text = JsonCursor::Write(test::Registry(), *dialog->AsIParameters());
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text);
  const auto& read = dynamic_cast<const ValParameter<RefCntPtr<const QuantitativeFilterDialogPresModel>>&>(
                         *bag->GetParameter(QuantitativeFilterDialogPresModel::ID))
                         .Value();
  EXPECT_FALSE(read->GetShowApply());
  ASSERT_TRUE(read->GetQuantitativeFilter());
  EXPECT_EQ(read->GetQuantitativeFilter()->GetColumnCaption(), TString(u"Sales"));
  EXPECT_EQ(read->GetQuantitativeFilter()->GetSupportedDomainTypeCount(), 1u);
  ASSERT_TRUE(read->GetQuantitativeFilterRange());
  EXPECT_EQ(read->GetQuantitativeFilterRange()->GetMinValue(), TString(u"1"));
  EXPECT_TRUE(read->GetQuantitativeFilterRange()->GetIsMaxOpen());
  EXPECT_FALSE(read->GetRelativeDateFilter());
}

TEST(FilterDialogs, AnAlwaysWrittenNullCacheInfoRaisesTheNullPointerError) {
  const RefCntPtr<const CategoricalFilterCacheNotFoundPresModel> m(MakeRefCnt<CategoricalFilterCacheNotFoundPresModel>());
  test::ExpectNullPointerAssertion([&] { (void)test::OutputOf(m); });
}

// Records the commands it is handed.
std::vector<std::pair<std::uint32_t, bool>> g_handed;
class RecordingCommandSerializer final : public ICommandSerializer {
 public:
  void SerializeCommands(const RefCntPtr<const CommandsPresModel>& c, std::uint32_t id, SerializeStructure&) override {
    g_handed.emplace_back(id, c != nullptr);
  }
  void SerializeSimpleCommands(const RefCntPtr<const SimpleCommandsPresModel>& c, std::uint32_t id,
                               SerializeStructure&) override {
    g_handed.emplace_back(id, c != nullptr);
  }
};

TEST(FilterDialogs, ANullCommandIsStillHandedToTheCommandSerializerAnOptionalOneIsNot) {
  const auto previous = ObjectFactoryUtils::RegisterObject(
      "VqxDoc", "CommandSerializerID", []() -> IFactoryObject* { return new RecordingCommandSerializer(); });
  g_handed.clear();
  auto m = MakeRefCnt<CategoricalFilterCacheNotFoundPresModel>();
  m->SetCacheInfo(MakeRefCnt<CategoricalFilterCacheInfoPresModel>());
  (void)test::OutputOf(RefCntPtr<const CategoricalFilterCacheNotFoundPresModel>(m));
  (void)test::OutputOf(RefCntPtr<const QuantitativeFilterDialogPresModel>(MakeRefCnt<QuantitativeFilterDialogPresModel>()));
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID", previous);
  EXPECT_EQ(g_handed, (std::vector<std::pair<std::uint32_t, bool>>{{0xd6e4461bu, false}}));
}

}  // namespace
