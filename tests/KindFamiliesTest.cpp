// Legends, quick filters and refinement widgets: how each family's root hands a model on to
// the class of its kind when writing, and which class its reader builds.

#include <algorithm>
#include <functional>
#include <typeindex>

#include "TestSupport.h"
#include "models/FilterWidgetsModels.h"
#include "models/LegendsModels.h"
#include "models/QuickFiltersModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;

constexpr std::uint32_t kLegendTypeId = 0xd600cf87, kSwatchBorderId = 0xd64447c5;
constexpr std::uint32_t kWidgetTypeId = 0xd6302dd1, kSortTypeId = 0xd6538b5d, kTopToggledId = 0xd68a87c9;
constexpr std::uint32_t kQuickFilterTypeId = 0xd6931903, kCatModeId = 0xd6fa8d87;

std::string Id(std::uint32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08x", id);
  return buf;
}

bool Writes(const std::vector<std::string>& out, std::uint32_t id) {
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.find(Id(id)) != std::string::npos; });
}

// The output of a write through the serializer of class R, of a model of any class below it.
template <typename R>
std::vector<std::string> WrittenAs(const RefCntPtr<const R>& model) {
  return test::OutputOf<R>(model);
}

// The model written as text alone under R's default id and read back through R's reader.
template <typename R>
RefCntPtr<const R> ThroughText(const RefCntPtr<const R>& model) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(R::ID, MakeRefCnt<ValParameter<RefCntPtr<const R>>>(model));
  const RefCntPtr<IParameters> read = WireReader(test::Registry()).Read(JsonCursor::Write(test::Registry(), *bag));
  const auto* held = HolderOf<RefCntPtr<const R>>(read->GetParameter(R::ID));
  return held ? held->Value() : RefCntPtr<const R>();
}

template <typename M>
std::type_index TypeOf(const RefCntPtr<const M>& model) {
  return model ? std::type_index(typeid(*model)) : std::type_index(typeid(void));
}

// ---- legends: the first of colour, size, map and shape that the legend is

struct LegendCase {
  const char* name;
  std::function<RefCntPtr<CategoricalLegendPresModel>()> make;
  const char* legendType;     // the kind text written through the base, "" for none
  bool writesSwatch;          // the colour legend's own members
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
      EXPECT_NE(std::find(out.begin(), out.end(), "Parameter " + Id(kLegendTypeId) + " " + c.legendType), out.end());
    else
      EXPECT_FALSE(Writes(out, kLegendTypeId));
    EXPECT_EQ(Writes(out, kSwatchBorderId), c.writesSwatch);
    EXPECT_FALSE(legend->GetSerializing());
    EXPECT_EQ(TypeOf(ThroughText(RefCntPtr<const CategoricalLegendPresModel>(c.make()))), c.readBackAs);
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
    EXPECT_EQ(out.front().rfind("Parameter " + Id(kWidgetTypeId), 0), 0u);
    EXPECT_TRUE(Writes(out, c.ownMember));
    EXPECT_FALSE(Writes(out, c.absentMember));
    EXPECT_FALSE(widget->GetSerializing());
    EXPECT_EQ(TypeOf(ThroughText(RefCntPtr<const RefinementWidgetPresModel>(c.make()))), c.readBackAs);
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
    const RefCntPtr<const QuickFilterDisplayPresModel> read = ThroughText(RefCntPtr<const QuickFilterDisplayPresModel>(display));
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
  EXPECT_TRUE(Writes(out, kQuickFilterTypeId));
  EXPECT_FALSE(Writes(out, kCatModeId));
  // A kind the model is not: the null view, before anything is written.
  auto base = MakeRefCnt<QuickFilterPresModel>();
  base->SetQuickFilterType(QuickFilterType::Categorical);
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion(
      [&] { Ser<QuickFilterPresModel>::SerializeObj(RefCntPtr<const QuickFilterPresModel>(base), cursor); });
  EXPECT_TRUE(cursor.Output().empty());
  EXPECT_TRUE(base->GetSerializedVal().empty());
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
