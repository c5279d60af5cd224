// Filters: what the filter models write when fresh or partly filled (the dialog model's
// optional pages, the member tree's leaves, the kind parts of a filter description), the
// categorical filter's queries over its in-memory tuples at their bounds, clone depth,
// fresh cache handles, commands handed on, and reading back through wire text.

#include <functional>

#include "TestSupport.h"
#include "models/FiltersModels.h"
#include "models/SheetIdentityModels.h"
#include "vqxcore/MultiDomain.h"
#include "vqxdatamodel/Schema.h"
#include "vqxfield/Field.h"
#include "vqxworkbook/WorksheetDoc.h"
#include "wire/WireReader.h"

namespace {

using Out = std::vector<std::string>;
using Ids = std::vector<std::uint32_t>;

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

RefCntPtr<const FilterValuePresModel> Value(const char16_t* caption) {
  auto v = MakeRefCnt<FilterValuePresModel>();
  v->SetCaption(caption);
  return v;
}

RefCntPtr<DomainTablePresModel> Node(const char16_t* label,
                                     std::initializer_list<RefCntPtr<DomainTablePresModel>> children = {}) {
  auto n = MakeRefCnt<DomainTablePresModel>();
  n->SetLabel(label);
  for (const auto& c : children) n->AddChildItem(c);
  return n;
}

// ---- what a write holds

constexpr std::uint32_t kFieldName = 0xd90f8c9b, kLabel = 0xd91cda59, kValue = 0xd6747d2c, kChildItems = 0xd6476150;

// One write: the ids at its own level and the runs of consecutive lines it holds.
struct LevelCase {
  const char* name;
  std::function<Out()> write;
  Ids top;                // the ids written at the model's own level, in order; empty: not checked
  std::vector<Out> runs;  // each must appear as consecutive lines
};

const LevelCase kLevelCases[] = {
    {"a dialog model with its cache handle writes no optional page and an empty parameter list",
     [] {
       auto m = MakeRefCnt<CategoricalFilter_NewPresModel>();
       m->SetCacheInfo(MakeRefCnt<CategoricalFilterCacheInfoPresModel>());
       return test::OutputOf(m);
     },
     {kFieldName, 0xd99cc6f9, 0xd6d05eef, 0xd62f3fe2, 0xd6f6de12, 0xd68a9c4b, 0xd663d8a2, 0xd64d5036, 0xd6a14f15,
      0xd63f60ca, 0xd6124e06, 0xd66b05c8},
     {{"Begin ListStructure 0xd66b05c8", "End"}}},
    {"a member-tree leaf writes its label only",
     [] { return test::OutputOf(Node(u"a")); },
     {kLabel},
     {{"Parameter 0xd91cda59 a"}}},
    {"a leaf with a value adds the value",
     [] {
       auto n = Node(u"a");
       n->SetValue(T(4, u"x"));
       return test::OutputOf(n);
     },
     {kLabel, kValue},
     {{"Begin SubStructure 0xd6747d2c", "ListItem %i:4", "ListItem x", "End"}}},
    {"a selected node with a size and a child writes all three",
     [] {
       auto n = Node(u"p", {Node(u"c")});
       n->SetIsSelected(true);
       n->SetActualSize(3);
       return test::OutputOf(n);
     },
     {0xd61728cc, 0xd645ccfa, kLabel, kChildItems},
     {{"Begin ListStructure 0xd6476150", "Begin SubStructure 0xd6979b35", "Parameter 0xd91cda59 c", "End", "End"}}},
    {"a fresh relative-date filter writes a default of 3, a count of 0 and an empty period list",
     [] { return test::Written<RelativeDateFilterPresModel>(); },
     {},
     {{"Parameter 0xd67c6f26 3"}, {"Parameter 0xd6a80266 0"}, {"Begin ListStructure 0xd6a1470a", "End"}}},
    {"a fresh measure picker writes no relative-date field as -1",
     [] { return test::Written<FilterSelectMeasurePresModel>(); },
     {},
     {{"Parameter 0xd6f8c7a2 -1"}}},
    {"a filter description with only a quantitative part writes that part alone",
     [] {
       auto q = MakeRefCnt<QuantitativeFilterInfoPresModel>();
       q->SetRangeMax(Value(u"max"));
       q->SetRangeMin(Value(u"min"));
       auto m = MakeRefCnt<FilterInfoPresModel>();
       m->SetVisualID(MakeRefCnt<VisualIDPresModel>());
       m->SetQuantitativeFilter(q);
       return test::OutputOf(m);
     },
     {0xd6f16047, kFieldName, 0xd6a5b43f, 0xd6e851e1, 0xd69be0ea},
     {{"Parameter 0xd6f16047 FilterDefault"}}},
    {"level infos of a hierarchical description open each item under the list's own id",
     [] {
       auto m = MakeRefCnt<HierarchicalFilterInfoPresModel>();
       m->AddHierarchicalLevelInfo(MakeRefCnt<HierarchicalLevelInfoPresModel>());
       return test::OutputOf(m);
     },
     {},
     {{"Begin ListStructure 0xd6378aac", "Begin SubStructure 0xd6378aac", "Parameter 0xd62d3c4a ",
       "Parameter 0xd6d5e4e3 hsm-all-selected", "End", "End"}}},
};

TEST(FilterWrites, WhatEachModelHolds) {
  for (const LevelCase& c : kLevelCases) {
    SCOPED_TRACE(c.name);
    const Out out = c.write();
    if (!c.top.empty()) {
      EXPECT_EQ(test::TopIds(out), c.top);
    }
    for (const Out& run : c.runs) EXPECT_TRUE(test::HasRun(out, run)) << testing::PrintToString(run);
  }
}

TEST(FilterWrites, AlwaysWrittenNestedModelsMustBeSet) {
  const std::function<Out()> writes[] = {
      [] { return test::Written<CategoricalFilterCacheNotFoundPresModel>(); },
      [] {  // the quantitative part's bounds
        auto m = MakeRefCnt<FilterInfoPresModel>();
        m->SetVisualID(MakeRefCnt<VisualIDPresModel>());
        m->SetQuantitativeFilter(MakeRefCnt<QuantitativeFilterInfoPresModel>());
        return test::OutputOf(m);
      },
  };
  for (const auto& write : writes) test::ExpectNullPointerAssertion(write);
}

TEST(FilterReads, AMemberTreeOfThreeLevelsKeepsItsOrder) {
  const RefCntPtr<const DomainTablePresModel> tree =
      Node(u"root", {Node(u"a", {Node(u"a1", {Node(u"a1x")}), Node(u"a2")}), Node(u"b")});
  std::function<std::string(const DomainTablePresModel&)> shape = [&](const DomainTablePresModel& n) {
    std::string s = n.GetLabel().ToUtf8();
    if (n.GetChildItemCount() == 0) return s;
    s += "(";
    for (const auto& c : n.GetChildItems()) s += shape(*c) + " ";
    return s + ")";
  };
  const auto read = test::ThroughTextSettled(tree);
  ASSERT_TRUE(read);
  EXPECT_EQ(shape(*read), "root(a(a1(a1x ) a2 ) b )");
}

TEST(FilterReads, APatternTypeWithoutAnEntryReadsAsStartsWith) {
  struct ReadCase {
    const char* name;
    const char* text;  // the type's text, or null for none
    int expected;
  };
  const ReadCase cases[] = {
      {"a known text", "contains", 2},
      {"a text with no entry", "wildcard", 0},
      {"the empty text", "", 0},
      {"no type", nullptr, 0},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = R"({"CategoricalFilterPatternUpdatePresModel":{)";
    if (c.text) text += std::string(R"("CategoricalFilterPatternDisplayPresModel.Type":")") + c.text + "\",";
    text += R"("IsExclusive":"true"}})";
    std::vector<WireReader::Skipped> skipped;
    const RefCntPtr<IParameters> bag = WireReader(test::Registry()).ReadLenient(text, skipped);
    const auto& read = dynamic_cast<const ValParameter<RefCntPtr<const CategoricalFilterPatternUpdatePresModel>>&>(
                           *bag->GetParameter(CategoricalFilterPatternUpdatePresModel::ID))
                           .Value();
    EXPECT_EQ(static_cast<int>(read->GetType()), c.expected);
    EXPECT_TRUE(read->GetIsExclusive());
  }
}

// ---- the categorical filter's queries

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
  f->SetSelectedTuplesDomain(RefCntPtr<MultiDomain>());
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
  EXPECT_EQ(*f->GetSelectedTuple(0), *T(1, u"a"));
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

class CountingDoc final : public IWorksheetDoc {
 public:
  const VisualSpecification& GetVisualSpecification() const override {
    ++calls;
    return visual;
  }
  const ValueDisplayContext& GetValueDisplayContext() const override {
    ++calls;
    return context;
  }
  mutable int calls = 0;
  VisualSpecification visual;
  ValueDisplayContext context;
};

class NamedField final : public IField {
 public:
  NamedField(const char16_t* name, bool noAll) : m_name(TString(name)), m_noAll(noAll) {}
  const FieldName& GetName() const override { return m_name; }
  bool IsAllRangeDisallowed() const override { return m_noAll; }

 private:
  FieldName m_name;
  bool m_noAll;
};

TEST(CategoricalFilterQueries, WhatTheFieldAllows) {
  struct FieldCase {
    const char* name;
    const IField* field;
    bool all, manual;
  };
  const NamedField plain(u"[Region]", false), noAll(u"[Region]", true), measureNames(u"[:Measure Names]", false);
  const FieldCase cases[] = {
      {"no field", nullptr, false, false},
      {"a plain field", &plain, true, true},
      {"a field that forbids the all range", &noAll, false, true},
      {"the measure names", &measureNames, false, true},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto f = MakeRefCnt<CategoricalFilterPresModel>();
    if (c.field) f->SetField(*c.field);
    EXPECT_EQ(f->AllowAllRange(), c.all);
    EXPECT_EQ(f->AllowManualRange(), c.manual);
  }
}

TEST(CategoricalFilterQueries, DisplayTextNeedsSchemaDocumentAndField) {
  const NamedField field(u"[Region]", false);
  CountingDoc doc;
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  EXPECT_EQ(f->GetDisplayText(*T(1, u"a")), TString());
  f->SetWorksheetDoc(doc);
  f->SetField(field);
  EXPECT_EQ(f->GetDisplayText(*T(1, u"a")), TString());  // no schema: the document is not asked
  EXPECT_EQ(doc.calls, 0);
  auto schema = MakeRefCnt<Schema>();
  schema->SetAlias(u"a", u"Alpha");
  f->SetSchema(schema);
  doc.context.valueSeparator = TString(u" / ");
  EXPECT_EQ(f->GetDisplayText(*T(1, u"a")), TString(u"1 / Alpha"));
  EXPECT_GT(doc.calls, 0);
}

// ---- the serializing flag of the flat model

TEST(CategoricalFilterHierarchy, WritesAreReentrantAndAFlaggedLevelWritesNothing) {
  auto f = MakeRefCnt<CategoricalFilterPresModel>();
  f->SetPattern(u"a*");
  const RefCntPtr<const CategoricalFilterPresModel> c(f);
  const auto first = test::OutputOf(c);
  EXPECT_FALSE(f->GetIsSerializingCategoricalFilterPresModel());
  EXPECT_TRUE(test::HasRun(first, {"Parameter 0xd6b8b535 a*"}));
  auto again = MakeRefCnt<CategoricalFilterPresModel>();  // a fresh model: no recorded text
  again->SetPattern(u"a*");
  EXPECT_EQ(test::OutputOf(again), first);
  EXPECT_EQ(test::OutputOf(c), first);
  auto g = MakeRefCnt<CategoricalFilterPresModel>();
  g->SetPattern(u"a*");
  g->SetIsSerializingCategoricalFilterPresModel(true);
  EXPECT_EQ(test::OutputOf(g), Out{});
  EXPECT_TRUE(g->GetIsSerializingCategoricalFilterPresModel());
}

// ---- cache handles, clones, reading back

TEST(CategoricalFilterCacheInfo, EachHandleGetsAFreshUuidThatSurvivesText) {
  auto a = MakeRefCnt<CategoricalFilterCacheInfoPresModel>();
  auto b = MakeRefCnt<CategoricalFilterCacheInfoPresModel>();
  EXPECT_NE(a->GetCacheGuid(), b->GetCacheGuid());
  EXPECT_NE(a->GetCacheGuid(), TUUID());
  const auto read = test::ThroughTextSettled(a);
  ASSERT_TRUE(read);
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
  q->AddSupportedDomainType(MakeRefCnt<FilterDomainTypeCaptionPresModel>());
  const auto before = test::OutputOf(q);
  const auto qc = q->Clone();
  EXPECT_NE(qc.get(), q.get());
  EXPECT_EQ(qc->GetWorksheet(), TString(u"Sheet 1"));
  ASSERT_EQ(qc->GetSupportedDomainTypeCount(), 2u);
  for (unsigned int i = 0; i < 2; ++i)
    EXPECT_EQ(qc->GetSupportedDomainType(i).get(), q->GetSupportedDomainType(i).get());
  // The copy is written afresh: changing it changes neither the source nor what it writes.
  qc->SetWorksheet(u"other");
  EXPECT_EQ(q->GetWorksheet(), TString(u"Sheet 1"));
  EXPECT_EQ(test::OutputOf(q), before);
  EXPECT_NE(test::OutputOf(qc), before);

  auto r = MakeRefCnt<RelativeDateFilterPresModel>();
  r->SetAnchorString(u"today");
  r->AddPeriod(MakeRefCnt<DateTimePeriodPresModel>());
  const auto rc = r->Clone();
  EXPECT_EQ(rc->GetAnchorString(), TString(u"today"));
  ASSERT_EQ(rc->GetPeriodCount(), 1u);
  EXPECT_EQ(rc->GetPeriod(0).get(), r->GetPeriod(0).get());
}

TEST(Tuples, ThroughWireTextKeepTheirValuesAndOrder) {
  auto pair = MakeRefCnt<TuplePairPresModel>();
  auto first = MakeRefCnt<Tuple>(std::vector<DataValue>{DataValue(TString(u"b")), DataValue(std::int64_t{-3}),
                                                        DataValue(2.5), DataValue(true), DataValue()});
  pair->SetFirst(first);
  pair->SetSecond(MakeRefCnt<Tuple>());  // an empty tuple is not a null one
  const auto read = test::ThroughTextSettled(pair);
  ASSERT_TRUE(read);
  ASSERT_TRUE(read->GetFirst());
  EXPECT_EQ(*read->GetFirst(), *first);
  ASSERT_TRUE(read->GetSecond());
  EXPECT_EQ(read->GetSecond()->GetSize(), 0u);
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
  const auto read = test::ThroughTextSettled(dialog);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->GetShowApply());
  ASSERT_TRUE(read->GetQuantitativeFilter());
  EXPECT_EQ(read->GetQuantitativeFilter()->GetColumnCaption(), TString(u"Sales"));
  EXPECT_EQ(read->GetQuantitativeFilter()->GetSupportedDomainTypeCount(), 1u);
  ASSERT_TRUE(read->GetQuantitativeFilterRange());
  EXPECT_EQ(read->GetQuantitativeFilterRange()->GetMinValue(), TString(u"1"));
  EXPECT_TRUE(read->GetQuantitativeFilterRange()->GetIsMaxOpen());
  EXPECT_FALSE(read->GetRelativeDateFilter());
}

// ---- commands handed to the command serializer

// Records the commands it is handed: the id, and whether a command was there.
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

TEST(FilterDialogs, ARequiredCommandIsHandedOnEvenWhenNullAnOptionalOneOnlyWhenSet) {
  using Handed = std::vector<std::pair<std::uint32_t, bool>>;
  const struct {
    const char* name;
    std::function<void()> write;
    Handed handed;
  } cases[] = {
      {"cache not found, no current command",
       [] {
         auto m = MakeRefCnt<CategoricalFilterCacheNotFoundPresModel>();
         m->SetCacheInfo(MakeRefCnt<CategoricalFilterCacheInfoPresModel>());
         test::OutputOf(m);
       },
       {{0xd6e4461bu, false}}},
      {"dialog model without a close command",
       [] {
         auto m = MakeRefCnt<CategoricalFilter_NewPresModel>();
         m->SetCacheInfo(MakeRefCnt<CategoricalFilterCacheInfoPresModel>());
         test::OutputOf(m);
       },
       {}},
      {"aggregation dialog with a drop command but no create command",
       [] {
         auto m = MakeRefCnt<FilterAggregationDialogPresModel>();
         m->SetFilterMeasureSelection(MakeRefCnt<FilterSelectMeasurePresModel>());
         m->SetDropCommand(MakeRefCnt<SimpleCommandsPresModel>(TString(u"drop")));
         test::OutputOf(m);
       },
       {{0xd6e4461bu, false}, {0xd6a518c2u, true}}},
  };
  const auto previous = ObjectFactoryUtils::RegisterObject(
      "VqxDoc", "CommandSerializerID", []() -> IFactoryObject* { return new RecordingCommandSerializer(); });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_handed.clear();
    c.write();
    EXPECT_EQ(g_handed, c.handed);
  }
  ObjectFactoryUtils::RegisterObject("VqxDoc", "CommandSerializerID", previous);
}

}  // namespace
