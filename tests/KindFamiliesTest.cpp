// Legends, quick filters and refinement widgets: how each family's root hands a model on to
// the class of its kind when writing, and which class its reader builds; what each kind
// writes (its parent's part first, then its own), the members left out until they leave
// their omission value, and the members that never travel.

#include <algorithm>
#include <functional>
#include <typeindex>

#include "TestSupport.h"
#include "models/FilterWidgetsModels.h"
#include "models/GeometryModels.h"
#include "models/LegendsModels.h"
#include "models/QuickFiltersModels.h"
#include "models/StyleModels.h"
#include "wire/JsonCursor.h"

namespace {

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;

constexpr std::uint32_t kLegendTypeId = 0xd600cf87, kSwatchBorderId = 0xd64447c5;
constexpr std::uint32_t kWidgetTypeId = 0xd6302dd1, kSortTypeId = 0xd6538b5d, kTopToggledId = 0xd68a87c9;
constexpr std::uint32_t kQuickFilterTypeId = 0xd6931903, kCatModeId = 0xd6fa8d87;

// The output of a write through the serializer of class R, of a model of any class below it.
template <typename R>
std::vector<std::string> WrittenAs(const RefCntPtr<const R>& model) {
  return test::OutputOf(model);
}

// The model written as text alone under R's default id, through R's writer, and read back
// through R's reader.
template <typename R>
RefCntPtr<const R> ThroughTextAs(const RefCntPtr<const R>& model) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(R::ID, MakeRefCnt<ValParameter<RefCntPtr<const R>>>(model));
  return test::FromText<R>(JsonCursor::Write(test::Registry(), *bag));
}

template <typename M>
std::type_index TypeOf(const RefCntPtr<const M>& model) {
  return model ? std::type_index(typeid(*model)) : std::type_index(typeid(void));
}

using Out = std::vector<std::string>;
using Ids = std::vector<std::uint32_t>;

Ids Concat(Ids a, const Ids& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool StartsWith(const Out& out, const Out& prefix) {
  return out.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), out.begin());
}

// ---- legends: the first of colour, size, map and shape that the legend is

struct LegendCase {
  const char* name;
  std::function<RefCntPtr<CategoricalLegendPresModel>()> make;
  const char* legendType;  // the kind text written through the base, "" for none
  bool writesSwatch;       // the colour legend's own members
  std::type_index readBackAs;
};

template <typename M>
RefCntPtr<CategoricalLegendPresModel> Legend() {
  return MakeRefCnt<M>();
}

TEST(LegendFamily, TheBaseWriterHandsOnByDynamicTypeAndTheReaderFollowsLegendType) {
  const LegendCase cases[] = {
      {"colour", Legend<CategoricalColorLegendPresModel>, "color", true, typeid(CategoricalColorLegendPresModel)},
      {"map, by the colour writer", Legend<CategoricalMapLegendPresModel>, "map", true,
       typeid(CategoricalMapLegendPresModel)},
      {"size", Legend<CategoricalSizeLegendPresModel>, "size", false, typeid(CategoricalSizeLegendPresModel)},
      {"shape", Legend<CategoricalShapeLegendPresModel>, "shape", false, typeid(CategoricalShapeLegendPresModel)},
      {"highlight, not tried", Legend<CategoricalHighlightLegendPresModel>, "", false,
       typeid(CategoricalLegendPresModel)},
  };
  for (const LegendCase& c : cases) {
    SCOPED_TRACE(c.name);
    const RefCntPtr<const CategoricalLegendPresModel> legend = c.make();
    const auto out = WrittenAs<CategoricalLegendPresModel>(legend);
    if (*c.legendType)
      EXPECT_NE(std::find(out.begin(), out.end(), test::Param(kLegendTypeId, c.legendType)), out.end());
    else
      EXPECT_FALSE(test::WritesId(out, kLegendTypeId));
    EXPECT_EQ(test::WritesId(out, kSwatchBorderId), c.writesSwatch);
    EXPECT_FALSE(legend->GetSerializing());
    EXPECT_EQ(TypeOf(ThroughTextAs(RefCntPtr<const CategoricalLegendPresModel>(c.make()))), c.readBackAs);
  }
  // A kind's own writer gives what the base writer gives for it.
  const RefCntPtr<const CategoricalMapLegendPresModel> map = MakeRefCnt<CategoricalMapLegendPresModel>();
  EXPECT_EQ(test::OutputOf(map), WrittenAs<CategoricalLegendPresModel>(map));
}

// ---- widgets: tried by dynamic type; WidgetType names the class read back

struct WidgetCase {
  const char* name;
  std::function<RefCntPtr<RefinementWidgetPresModel>()> make;
  std::uint32_t ownMember;     // written: a member of the model's class
  std::uint32_t absentMember;  // not written
  std::type_index readBackAs;
};

TEST(WidgetFamily, TheBaseWriterGoesByClassNotByWidgetType) {
  const WidgetCase cases[] = {
      {"sort", [] { return RefCntPtr<RefinementWidgetPresModel>(MakeRefCnt<SortWidgetPresModel>()); }, kSortTypeId,
       kTopToggledId, typeid(SortWidgetPresModel)},
      {"limit", [] { return RefCntPtr<RefinementWidgetPresModel>(MakeRefCnt<LimitWidgetPresModel>()); }, kTopToggledId,
       kSortTypeId, typeid(LimitWidgetPresModel)},
      {"sort widget calling itself a limit",
       [] {
         auto w = MakeRefCnt<SortWidgetPresModel>();
         w->SetWidgetType(NLPWidgetType::Limit);
         return RefCntPtr<RefinementWidgetPresModel>(w);
       },
       kSortTypeId, kTopToggledId, typeid(LimitWidgetPresModel)},
  };
  for (const WidgetCase& c : cases) {
    SCOPED_TRACE(c.name);
    const RefCntPtr<const RefinementWidgetPresModel> widget = c.make();
    const auto out = WrittenAs<RefinementWidgetPresModel>(widget);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.front().rfind(test::Param(kWidgetTypeId, ""), 0), 0u);
    EXPECT_TRUE(test::WritesId(out, c.ownMember));
    EXPECT_FALSE(test::WritesId(out, c.absentMember));
    EXPECT_FALSE(widget->GetSerializing());
    EXPECT_EQ(TypeOf(ThroughTextAs(RefCntPtr<const RefinementWidgetPresModel>(c.make()))), c.readBackAs);
  }
}

TEST(WidgetFamily, TheReaderBuildsTheKindNamedOrNothing) {
  struct ReadCase {
    const char* name;
    const char16_t* widgetType;  // null: no WidgetType parameter
    std::type_index built;
  };
  const ReadCase cases[] = {
      {"sort", u"sort", typeid(SortWidgetPresModel)},
      {"year over year", u"yoy-calc", typeid(YoYCalcWidgetPresModel)},
      {"viz type names no widget", u"viz-type", typeid(void)},
      {"none", u"none", typeid(void)},
      {"an unknown text reads as its default, a field", u"no-such-widget", typeid(FieldWidgetPresModel)},
      {"no WidgetType", nullptr, typeid(void)},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto bag = MakeRefCnt<Parameters>();
    if (c.widgetType)
      bag->SetParameter(kWidgetTypeId,
                        test::Val(ParameterTypeSerializer<NLPWidgetType>::TypeFromString(TString(c.widgetType))));
    const RefCntPtr<const RefinementWidgetPresModel> read = Ser<RefinementWidgetPresModel>::ToObject(bag, 0, nullptr);
    EXPECT_EQ(TypeOf(read), c.built);
    if (read) {
      EXPECT_FALSE(read->GetSerializing());
    }
  }
  // A model handed in while its flag is set is being read already: it comes back unchanged.
  auto sort = MakeRefCnt<SortWidgetPresModel>();
  sort->SetSortDimensionLabel(TString(u"kept"));
  sort->SetSerializing(true);
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(kWidgetTypeId, test::Val(NLPWidgetType::Limit));
  bag->SetParameter(0xd618e2d7, test::Val(TString(u"replaced")));
  RefCntPtr<RefinementWidgetPresModel> existing = sort;
  EXPECT_EQ(Ser<RefinementWidgetPresModel>::ToObject(bag, 0, &existing).get(), sort.get());
  EXPECT_EQ(sort->GetSortDimensionLabel(), TString(u"kept"));
  EXPECT_EQ(sort->GetWidgetType(), NLPWidgetType::Sort);
}

// ---- quick filters: by QuickFilterType, unchecked

template <typename M>
RefCntPtr<QuickFilterPresModel> Filter() {
  return MakeRefCnt<M>();
}

TEST(QuickFilterFamily, EveryKindTravelsAsItsOwnClassInADisplay) {
  const std::function<RefCntPtr<QuickFilterPresModel>()> kinds[] = {
      Filter<QuickFilterPresModel>, Filter<CategoricalQuickFilterPresModel>, Filter<HierarchicalQuickFilterPresModel>,
      Filter<QuantitativeQuickFilterPresModel>, Filter<RelativeDateQuickFilterPresModel>};
  for (const auto& make : kinds) {
    const RefCntPtr<QuickFilterPresModel> filter = make();
    filter->SetFieldName(FieldName(TString(u"[Sales]")));
    auto display = MakeRefCnt<QuickFilterDisplayPresModel>();
    display->SetQuickFilter(filter);
    const RefCntPtr<const QuickFilterDisplayPresModel> read = test::ThroughText(display);
    ASSERT_TRUE(read && read->GetQuickFilter());
    EXPECT_EQ(TypeOf(read->GetQuickFilter()), TypeOf(RefCntPtr<const QuickFilterPresModel>(filter)));
    EXPECT_EQ(read->GetQuickFilter()->GetFieldName(), filter->GetFieldName());
  }
}

TEST(QuickFilterFamily, QuickFilterTypeDecidesWhatTheBaseWrites) {
  // "unknown" on a categorical filter: the base's four members only.
  auto categorical = MakeRefCnt<CategoricalQuickFilterPresModel>();
  categorical->SetQuickFilterType(QuickFilterType::Unknown);
  const auto out = WrittenAs<QuickFilterPresModel>(RefCntPtr<const QuickFilterPresModel>(categorical));
  EXPECT_TRUE(test::WritesId(out, kQuickFilterTypeId));
  EXPECT_FALSE(test::WritesId(out, kCatModeId));
  // A kind the model is not: the null view, before anything is written.
  auto base = MakeRefCnt<QuickFilterPresModel>();
  base->SetQuickFilterType(QuickFilterType::Categorical);
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion(
      [&] { Ser<QuickFilterPresModel>::SerializeObj(RefCntPtr<const QuickFilterPresModel>(base), cursor); });
  EXPECT_TRUE(cursor.Output().empty());
  EXPECT_TRUE(base->GetSerializedVal().empty());
}

// ---- what the kinds write

constexpr std::uint32_t kSettingsId = 0xd6fb3ef6, kFieldNameId = 0xd90f8c9b, kColumnFullNamesId = 0xd6a028cb;
const Ids kQuickFilterBase = {kQuickFilterTypeId, kSettingsId, kFieldNameId, kColumnFullNamesId};

TEST(QuickFilterKinds, AHierarchicalFilterWritesTheCategoricalPartThenItsOwn) {
  const auto fill = [](CategoricalQuickFilterPresModel& f) {
    f.SetFieldName(FieldName(TString(u"[Region]")));
    f.SetSelectionSummary(u"2 of 5");
    f.SetExclude(true);
  };
  auto h = MakeRefCnt<HierarchicalQuickFilterPresModel>();
  fill(*h);
  h->AddLevelState(HSM::LevelSelectionState::HsmSomeSelected);
  h->SetAllSelected(true);
  // The categorical part as a categorical filter's own writer writes it, under the same kind.
  auto c = MakeRefCnt<CategoricalQuickFilterPresModel>();
  fill(*c);
  c->SetQuickFilterType(QuickFilterType::Hierarchy);
  const Out categorical = test::OutputOf(c);

  const Out out = WrittenAs<QuickFilterPresModel>(RefCntPtr<const QuickFilterPresModel>(h));
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.front(), test::Param(kQuickFilterTypeId, "hierarchy"));
  const Ids ids = test::TopIds(out);
  ASSERT_GT(ids.size(), 9u);
  EXPECT_EQ(Ids(ids.begin(), ids.begin() + 4), kQuickFilterBase);
  EXPECT_TRUE(StartsWith(out, categorical));
  EXPECT_EQ(Ids(ids.begin() + static_cast<std::ptrdiff_t>(test::TopIds(categorical).size()), ids.end()),
            (Ids{0xd643830e, 0xd60a7700, 0xd646756b, 0xd67b02bb, 0xd6476150}));
  EXPECT_TRUE(test::HasRun(out, {"Begin ListStructure 0xd646756b", "ListItem hsm-some-selected", "End"}));
  EXPECT_EQ(test::OutputOf(h), out);  // the kind's own writer gives the same
}

TEST(QuickFilterKinds, AQuantitativeFilterWritesOnlyTheValuesItHolds) {
  constexpr std::uint32_t kIncluded = 0xd6579933, kValueMin = 0xd600cda3, kDataMax = 0xd61304a9,
                          kQuantMode = 0xd653725f, kNumberFormats = 0xd6d6427e, kStartOfWeek = 0xd65095df;
  auto none = MakeRefCnt<QuantitativeQuickFilterPresModel>();
  const Out out = WrittenAs<QuickFilterPresModel>(RefCntPtr<const QuickFilterPresModel>(none));
  EXPECT_EQ(test::TopIds(out), Concat(kQuickFilterBase, {kIncluded, kQuantMode, kNumberFormats, kStartOfWeek}));
  EXPECT_TRUE(test::HasRun(out, {"Begin ListStructure " + test::Hex(kNumberFormats), "End"}));

  auto some = MakeRefCnt<QuantitativeQuickFilterPresModel>();
  some->SetValueMin(DataValue(std::int64_t{0}));  // a zero is a value
  some->SetDataMax(DataValue(TString(u"z")));
  EXPECT_EQ(test::TopIds(test::OutputOf(some)),
            Concat(kQuickFilterBase, {kIncluded, kValueMin, kDataMax, kQuantMode, kNumberFormats, kStartOfWeek}));
}

TEST(QuickFilterKinds, AFilterOptionsEditWithoutRangesWritesItsFourLists) {
  auto edit = MakeRefCnt<FilterOptionsPresModel>();
  const Out out = test::OutputOf(edit);
  EXPECT_EQ(test::TopIds(out), (Ids{0xd6dc1b86, 0xd6bddf7a, 0xd6e84d7d, 0xd651ca76}));
  for (std::uint32_t id : {0xd6dc1b86u, 0xd6bddf7au})
    EXPECT_TRUE(test::HasRun(out, {"Begin ListStructure " + test::Hex(id), "End"}));
  auto added = MakeRefCnt<FilterOptionsPresModel>();
  added->SetFilterRangeAdd(MakeRefCnt<FilterRangePresModel>());
  EXPECT_EQ(test::TopIds(test::OutputOf(added)), (Ids{0xd6dc1b86, 0xd6bddf7a, 0xd6e84d7d, 0xd651ca76, 0xd6a637c6}));
}

TEST(QuickFilterKinds, MembersOutsideTheWireAreLostThroughText) {
  const std::function<RefCntPtr<QuickFilterPresModel>()> kinds[] = {Filter<QuickFilterPresModel>,
                                                                    Filter<CategoricalQuickFilterPresModel>};
  for (const auto& make : kinds) {
    const RefCntPtr<QuickFilterPresModel> filter = make();
    filter->SetFieldName(FieldName(TString(u"[Sales]")));
    filter->SetCaption(u"Sales");
    filter->SetIsGlobal(true);
    const auto read = ThroughTextAs(RefCntPtr<const QuickFilterPresModel>(filter));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetFieldName(), filter->GetFieldName());
    EXPECT_EQ(read->GetCaption(), TString());
    EXPECT_FALSE(read->GetIsGlobal());
  }
}

TEST(WidgetKinds, ASortWidgetThroughTheBaseKeepsItsLabelsAndLeavesNoFlagSet) {
  const auto make = [] {
    auto w = MakeRefCnt<SortWidgetPresModel>();
    w->SetNLPWidgetSortType(NLPWidgetSortType::Descending);
    w->SetSortDimensionLabel(u"Region");
    w->SetSortMeasureLabel(u"Sales");
    return w;
  };
  const auto sort = make();
  // Its own writer gives what the base gives.
  EXPECT_EQ(test::OutputOf(make()),
            WrittenAs<RefinementWidgetPresModel>(RefCntPtr<const RefinementWidgetPresModel>(make())));
  const auto read = ThroughTextAs(RefCntPtr<const RefinementWidgetPresModel>(sort));
  const auto* got = dynamic_cast<const SortWidgetPresModel*>(read.get());
  ASSERT_TRUE(got);
  EXPECT_EQ(got->GetNLPWidgetSortType(), NLPWidgetSortType::Descending);
  EXPECT_EQ(got->GetSortDimensionLabel(), TString(u"Region"));
  EXPECT_EQ(got->GetSortMeasureLabel(), TString(u"Sales"));
  for (const SortWidgetPresModel* w : {static_cast<const SortWidgetPresModel*>(sort.get()), got}) {
    EXPECT_FALSE(w->GetSerializing());
    EXPECT_FALSE(w->GetIsSerializingSortWidgetPresModel());
  }
}

// The common part of every categorical legend: what a legend of no kind writes.
Out CommonLegendPart() { return test::Written<CategoricalLegendPresModel>(); }

RefCntPtr<const CategoricalColorLegendItemPresModel> ColourItem() {
  auto item = MakeRefCnt<CategoricalColorLegendItemPresModel>();
  item->SetText(u"East");
  item->SetColor(ColorObject(255, 0, 0));
  return item;
}

TEST(LegendKinds, AKindWritesTheCommonPartThenItsOwn) {
  struct KindCase {
    const char* name;
    std::function<Out()> write;
    const char* legendType;
    Ids own;
    Out itemRun;
  };
  const KindCase cases[] = {
      {"colour, through the base",
       [] {
         auto legend = MakeRefCnt<CategoricalColorLegendPresModel>();
         legend->AddItem(ColourItem());
         const RefCntPtr<const CategoricalLegendPresModel> base = legend;
         const Out out = WrittenAs<CategoricalLegendPresModel>(base);
         EXPECT_FALSE(legend->GetSerializing());
         EXPECT_FALSE(legend->GetIsSerializingCategoricalColorLegendPresModel());
         return out;
       },
       "color",
       {kLegendTypeId, 0xd60f430c, kSwatchBorderId, 0xd6e0a3dd},
       {"Begin ListStructure 0xd60f430c", "Begin SubStructure 0xd6e4c151", "Parameter 0xd67a344f East",
        "Parameter 0xd68c29a5 #ff0000ff", "End", "End"}},
      {"highlight, through its own writer",
       [] {
         auto legend = MakeRefCnt<CategoricalHighlightLegendPresModel>();
         auto item = MakeRefCnt<CategoricalLegendItemPresModel>();
         item->SetText(u"West");
         legend->AddItem(item);
         return test::OutputOf(legend);
       },
       "highlight",
       {kLegendTypeId, 0xd6984428},
       {"Begin ListStructure 0xd6984428", "Begin SubStructure 0xd6357729", "Parameter 0xd67a344f West", "End", "End"}},
  };
  const Out common = CommonLegendPart();
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Out out = c.write();
    EXPECT_TRUE(StartsWith(out, common));
    EXPECT_EQ(test::TopIds(out), Concat(test::TopIds(common), c.own));
    EXPECT_TRUE(test::HasRun(out, {test::Param(kLegendTypeId, c.legendType)}));
    EXPECT_TRUE(test::HasRun(out, c.itemRun));
  }
}

// ---- members left out until they leave their omission value

struct PresenceCase {
  const char* name;
  std::function<Out()> fresh, changed;
  Ids added;  // ids the change adds to the fresh write
};

template <typename M>
PresenceCase Presence(
    const char* name, std::function<void(M&)> change, Ids added, std::function<void(M&)> prepare = [](M&) {}) {
  const auto write = [=](bool changed) {
    auto m = MakeRefCnt<M>();
    prepare(*m);
    if (changed) change(*m);
    return test::OutputOf(m);
  };
  return {name, [=] { return write(false); }, [=] { return write(true); }, std::move(added)};
}

void WithRampStyles(QuantitativeColorLegendPresModel& m) {
  m.SetLabelTextStyle(MakeRefCnt<TextStylePresModel>());
  m.SetRampBorderStyle(MakeRefCnt<StyledBoxPresModel>());
}

RefCntPtr<const RectanglePresModel> Rect(int w, int h) {
  auto r = MakeRefCnt<RectanglePresModel>();
  r->SetWidth(w);
  r->SetHeight(h);
  return r;
}

const PresenceCase kPresenceCases[] = {
    Presence<CategoricalLegendPresModel>("resize column 0 is written (-1 is not)",
                                         [](auto& m) { m.SetResizeColumn(0); }, {0xd603b262}),
    Presence<CategoricalLegendPresModel>("an empty selection rectangle is not",
                                         [](auto& m) { m.SetSelectionRect(Rect(0, 5)); }, {}),
    Presence<CategoricalLegendPresModel>("a selection rectangle is", [](auto& m) { m.SetSelectionRect(Rect(3, 5)); },
                                         {0xd6efc861}),
    Presence<CategoricalLegendItemPresModel>("an item id of 0", [](auto& m) { m.SetID(0); }, {0xd62f8a4b}),
    Presence<QuickFilterDisplayPresModel>("a line height of 14 (0 is not)", [](auto& m) { m.SetLineHeight(14); },
                                          {0xd61aa86b}),
    Presence<QuantitativeColorLegendPresModel>(
        "a ramp sample", [](auto& m) { m.AddRampColorSample(u"0", ColorObject(0, 0, 255)); }, {0xd684cd8f},
        WithRampStyles),
};

TEST(KindPresence, ChangesAddOnlyTheMembersThatLeftTheirOmissionValue) {
  for (const PresenceCase& c : kPresenceCases) {
    SCOPED_TRACE(c.name);
    const Ids fresh = test::TopIds(c.fresh()), changed = test::TopIds(c.changed());
    Ids added;
    for (std::uint32_t id : changed)
      if (std::find(fresh.begin(), fresh.end(), id) == fresh.end()) added.push_back(id);
    EXPECT_EQ(added, c.added);
    EXPECT_EQ(changed.size(), fresh.size() + c.added.size());
  }
}

TEST(KindPresence, AFreshItemWritesItsTextOnlyAndRampSamplesTravelAsColours) {
  EXPECT_EQ(test::TopIds(test::Written<CategoricalLegendItemPresModel>()), Ids{0xd67a344f});
  auto ramp = MakeRefCnt<QuantitativeColorLegendPresModel>();
  WithRampStyles(*ramp);
  ramp->AddRampColorSample(u"0.5", ColorObject(0, 0, 255));
  EXPECT_TRUE(
      test::HasRun(test::OutputOf(ramp), {"Begin MapStructure 0xd684cd8f", "MapItem 0.5 #0000ffff false", "End"}));
}

// ---- serializing flags after an error

TEST(KindFamilies, FlagsAreRestoredWhenAWriteFails) {
  // The range-date widget's bounds are written always: null ones stop the write.
  auto widget = MakeRefCnt<RangeDateFilterWidgetPresModel>();
  const RefCntPtr<const RefinementWidgetPresModel> asBase = widget;
  test::ExpectNullPointerAssertion([&] { WrittenAs<RefinementWidgetPresModel>(asBase); });
  test::ExpectNullPointerAssertion([&] { test::OutputOf(RefCntPtr<const RangeDateFilterWidgetPresModel>(widget)); });
  EXPECT_FALSE(widget->GetSerializing());
  EXPECT_FALSE(widget->GetIsSerializingRangeDateFilterWidgetPresModel());
  // The always-written label style of a quantitative legend, likewise.
  auto legend = MakeRefCnt<QuantitativeColorLegendPresModel>();
  test::ExpectNullPointerAssertion([&] { test::OutputOf(RefCntPtr<const QuantitativeColorLegendPresModel>(legend)); });
}

}  // namespace
