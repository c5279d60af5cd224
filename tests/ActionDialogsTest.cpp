// Action dialogs: which dialogs the envelope writes, the filter dialog's optional texts, the
// sections' parallel lists, nested members that must be set and those that need not be, and
// a whole envelope through wire text and back.

#include <algorithm>

#include "TestSupport.h"
#include "models/ActionDialogsModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

bool Writes(const std::vector<std::string>& out, const std::string& prefix) {
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

// The lines of the outermost scope only: nested scopes appear as their Begin line.
std::vector<std::string> TopLevel(const std::vector<std::string>& out) {
  std::vector<std::string> top;
  int depth = 0;
  for (const std::string& l : out) {
    if (l == "End") {
      --depth;
      continue;
    }
    if (depth == 0) top.push_back(l);
    if (l.rfind("Begin ", 0) == 0) ++depth;
  }
  return top;
}

RefCntPtr<SourceSheetsSectionPresModel> SourceSheets() {
  auto s = MakeRefCnt<SourceSheetsSectionPresModel>();
  for (const char16_t* name : {u"Sheet 1", u"Sheet 2", u"Sheet 3"}) s->AddSheetName(TString(name));
  for (bool b : {true, false, true}) s->AddSheetCheckboxState(b);
  return s;
}

RefCntPtr<FilterActionDialogPresModel> FilterDialog() {
  auto d = MakeRefCnt<FilterActionDialogPresModel>();
  d->SetActionNameSection(MakeRefCnt<ActionNameSectionPresModel>());
  d->SetRunActionOnSection(MakeRefCnt<RunActionOnSectionPresModel>());
  d->SetSourceSheetsSection(SourceSheets());
  d->SetTargetSheetsSection(MakeRefCnt<TargetSheetsSectionPresModel>());
  return d;
}

RefCntPtr<HighlightActionDialogPresModel> HighlightDialog() {
  auto d = MakeRefCnt<HighlightActionDialogPresModel>();
  d->SetActionNameSection(MakeRefCnt<ActionNameSectionPresModel>());
  d->SetRunActionOnSection(MakeRefCnt<RunActionOnSectionPresModel>());
  d->SetSourceSheetsSection(MakeRefCnt<SourceSheetsSectionPresModel>());
  d->SetTargetSheetsSection(MakeRefCnt<TargetSheetsSectionPresModel>());
  d->SetTargetHighlightingSection(MakeRefCnt<ActionFieldListPresModel>());
  return d;
}

template <typename M>
std::vector<std::string> Out(const RefCntPtr<M>& m) {
  return test::OutputOf(RefCntPtr<const M>(m));
}

TEST(ActionDialogs, TheEnvelopeWritesItsKindAndEveryDialogSetInOrder) {
  auto one = MakeRefCnt<ActionsDialogWrapperPresModel>();
  one->SetActionDialogType(DashboardActionDialogType::Filter);
  one->SetFilterActionDialogPresModel(FilterDialog());
  EXPECT_EQ(TopLevel(Out(one)), test::Lines({"Parameter 0xd6964b97 filter", "Begin SubStructure 0xd67915f1"}));

  // The kind does not choose: both dialogs set are written, in member order.
  auto two = MakeRefCnt<ActionsDialogWrapperPresModel>();
  two->SetActionDialogType(DashboardActionDialogType::Highlight);
  two->SetHighlightActionDialogPresModel(HighlightDialog());
  two->SetFilterActionDialogPresModel(FilterDialog());
  EXPECT_EQ(TopLevel(Out(two)), test::Lines({"Parameter 0xd6964b97 highlight", "Begin SubStructure 0xd67915f1",
                                             "Begin SubStructure 0xd6e37d22"}));

  EXPECT_EQ(Out(MakeRefCnt<ActionsDialogWrapperPresModel>()), test::Lines({"Parameter 0xd6964b97 invalid"}));
}

TEST(ActionDialogs, TheFilterDialogLeavesOutItsDefaultClearAndEmptyMessages) {
  const auto plain = TopLevel(Out(FilterDialog()));
  EXPECT_FALSE(Writes(plain, "Parameter 0xd6400a3f"));
  EXPECT_FALSE(Writes(plain, "Parameter 0xd6279b93"));
  EXPECT_FALSE(Writes(plain, "Parameter 0xd6bbf75c"));
  EXPECT_FALSE(Writes(plain, "Begin SubStructure 0xd60aee94"));
  EXPECT_EQ(plain.back(), "Parameter 0xd68da6c0 none");

  auto d = FilterDialog();
  d->SetOnClearSelection(OnClear::ExcludeAll);
  d->SetActionValidationTooltipMessage(u"check the fields");
  d->SetFilterSection(MakeRefCnt<FilterSectionPresModel>());
  const auto set = TopLevel(Out(d));
  EXPECT_EQ(set[1], "Parameter 0xd6400a3f exclude-all");
  EXPECT_TRUE(Writes(set, "Begin SubStructure 0xd60aee94"));
  EXPECT_TRUE(Writes(set, "Parameter 0xd6bbf75c check the fields"));
  EXPECT_FALSE(Writes(set, "Parameter 0xd6279b93"));
}

TEST(ActionDialogs, ASourceSectionWritesItsNamesAndStatesAsParallelLists) {
  EXPECT_EQ(Out(SourceSheets()),
            test::Lines({"Begin ListStructure 0xd63e297e", "End", "Begin ListStructure 0xd632ded0",
                         "ListItem Sheet 1", "ListItem Sheet 2", "ListItem Sheet 3", "End",
                         "Begin ListStructure 0xd68a6ac1", "ListItem true", "ListItem false", "ListItem true", "End"}));
}

struct NullCase {
  const char* name;
  void (*write)();
  bool raises;
};

template <typename M, typename F>
void WriteSet(F set) {
  auto m = MakeRefCnt<M>();
  set(*m);
  (void)test::OutputOf(RefCntPtr<const M>(m));
}

const NullCase kNullCases[] = {
    {"filter dialog without its target section",
     [] { WriteSet<FilterActionDialogPresModel>([](auto& d) {
            auto full = FilterDialog();
            d.SetActionNameSection(full->GetActionNameSection());
            d.SetRunActionOnSection(full->GetRunActionOnSection());
            d.SetSourceSheetsSection(full->GetSourceSheetsSection());
          }); },
     true},
    {"highlight dialog without its highlighting section",
     [] { WriteSet<HighlightActionDialogPresModel>([](auto& d) {
            auto full = HighlightDialog();
            d.SetActionNameSection(full->GetActionNameSection());
            d.SetRunActionOnSection(full->GetRunActionOnSection());
            d.SetSourceSheetsSection(full->GetSourceSheetsSection());
            d.SetTargetSheetsSection(full->GetTargetSheetsSection());
          }); },
     true},
    {"URL dialog without its sections", [] { WriteSet<UrlActionDialogPresModel>([](auto&) {}); }, true},
    {"go-to-sheet dialog without its run-on section",
     [] { WriteSet<GoToSheetActionDialogPresModel>([](auto&) {}); }, true},
    {"filter update without its common part", [] { WriteSet<UpdateFilterActionParamsPresModel>([](auto&) {}); }, true},
    {"common update without its run-on part", [] { WriteSet<UpdateActionCommonParamsPresModel>([](auto&) {}); }, true},
    {"brush update without its source", [] { WriteSet<UpdateBrushActionPresModel>([](auto&) {}); }, true},
    {"hyperlink update without its source", [] { WriteSet<UpdateHyperlinkActionPresModel>([](auto&) {}); }, true},
    {"sheet-link update without its source", [] { WriteSet<UpdateSheetLinkActionPresModel>([](auto&) {}); }, false},
    {"empty envelope", [] { WriteSet<ActionsDialogWrapperPresModel>([](auto&) {}); }, false},
    {"filter dialog without its mapping section", [] { WriteSet<FilterActionDialogPresModel>([](auto& d) {
       auto full = FilterDialog();
       d.SetActionNameSection(full->GetActionNameSection());
       d.SetRunActionOnSection(full->GetRunActionOnSection());
       d.SetSourceSheetsSection(full->GetSourceSheetsSection());
       d.SetTargetSheetsSection(full->GetTargetSheetsSection());
     }); },
     false},
};

TEST(ActionDialogs, AlwaysWrittenNestedMembersMustBeSetOthersNeedNot) {
  for (const NullCase& c : kNullCases) {
    SCOPED_TRACE(c.name);
    if (c.raises)
      test::ExpectNullPointerAssertion(c.write);
    else
      EXPECT_NO_THROW(c.write());
  }
}

TEST(ActionDialogs, AnEnvelopeThroughTextAndBack) {
  auto link = MakeRefCnt<LinkSpecificationPresModel>();
  link->SetURL(u"https://example.org/?q=<Region>");
  auto zone = MakeRefCnt<ActionComboItemForZonePresModel>();
  zone->SetActionComboItem(MakeRefCnt<ActionComboItemPresModel>());
  zone->SetZoneId(12);
  auto destination = MakeRefCnt<ActionZoneDestComboPresModel>();
  destination->AddActionComboItemsForZone(zone);
  auto url = MakeRefCnt<UrlActionDialogPresModel>();
  url->SetDialogMode(ActionDialogMode::CreateNewAction);
  url->SetActionNameSection(MakeRefCnt<ActionNameSectionPresModel>());
  url->SetRunActionOnSection(MakeRefCnt<RunActionOnSectionPresModel>());
  url->SetSourceSheetsSection(SourceSheets());
  url->SetLinkSpecification(link);
  url->SetActionUrlDestination(destination);
  url->SetUrlValidationInfo(MakeRefCnt<UrlValidationInfoPresModel>());
  url->SetUrlFieldErrorMessage(u"bad");

  auto item = MakeRefCnt<ActionItemPresModel>();
  item->SetDisplayName(u"Filter 1");
  item->SetActionType(ActionType::Filter);
  auto list = MakeRefCnt<ActionListDialogPresModel>();
  list->AddActionItem(item);
  list->SetActionNameIDs({3u, 5u});

  auto section = MakeRefCnt<FilterSectionPresModel>();
  auto ds = MakeRefCnt<FilterSectionDatasourcePresModel>();
  ds->SetName(u"Sample");
  section->AddDataSourceNames(ds);
  section->AddFilterSectionExistingFieldSourceMappings(MakeRefCnt<FilterSectionExistingFieldSourceMappingPresModel>());
  section->SetActiveEditRow(-1);
  auto filter = FilterDialog();
  filter->SetFilterSection(section);

  auto group = MakeRefCnt<EditGroupActionPresModel>();
  group->SetSourceSheetsSection(MakeRefCnt<SourceSheetsSectionPresModel>());
  group->SetWarnings(MakeRefCnt<ActionWarningsPresModel>());

  auto wrapper = MakeRefCnt<ActionsDialogWrapperPresModel>();
  wrapper->SetActionDialogType(DashboardActionDialogType::Url);
  wrapper->SetUrlActionDialogPresModel(url);
  wrapper->SetActionListDialogPresModel(list);
  wrapper->SetFilterActionDialogPresModel(filter);
  wrapper->SetEditSetActionPresModel(group);

  const std::string text = JsonCursor::Write(test::Registry(), *wrapper->AsIParameters());
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  EXPECT_EQ(JsonCursor::Write(test::Registry(), *bag), text);
  const auto& read = dynamic_cast<const ValParameter<RefCntPtr<const ActionsDialogWrapperPresModel>>&>(
                         *bag->GetParameter(ActionsDialogWrapperPresModel::ID))
                         .Value();
  EXPECT_EQ(read->GetActionDialogType(), DashboardActionDialogType::Url);
  EXPECT_FALSE(read->GetGoToSheetActionDialogPresModel());
  const auto& u = read->GetUrlActionDialogPresModel();
  ASSERT_TRUE(u);
  EXPECT_EQ(u->GetDialogMode(), ActionDialogMode::CreateNewAction);
  EXPECT_EQ(u->GetLinkSpecification()->GetURL(), link->GetURL());
  EXPECT_EQ(u->GetActionUrlDestination()->GetActionComboItemsForZone(0)->GetZoneId(), 12u);
  EXPECT_EQ(u->GetUrlFieldErrorMessage(), TString(u"bad"));
  EXPECT_EQ(u->GetSourceSheetsSection()->GetSheetCheckboxStates(), (std::vector<bool>{true, false, true}));
  ASSERT_EQ(read->GetActionListDialogPresModel()->GetActionItemCount(), 1u);
  EXPECT_EQ(read->GetActionListDialogPresModel()->GetActionItem(0)->GetActionType(), ActionType::Filter);
  EXPECT_EQ(read->GetActionListDialogPresModel()->GetActionNameIDs(), (std::vector<unsigned int>{3, 5}));
  const auto& s = read->GetFilterActionDialogPresModel()->GetFilterSection();
  ASSERT_TRUE(s);
  EXPECT_EQ(s->GetActiveEditRow(), -1);
  ASSERT_EQ(s->GetDataSourceNamess().size(), 1u);
  EXPECT_EQ(s->GetDataSourceNames(0)->GetName(), TString(u"Sample"));
  EXPECT_EQ(s->GetFilterSectionExistingFieldSourceMappingsCount(), 1u);
  EXPECT_TRUE(read->GetEditSetActionPresModel());
  EXPECT_FALSE(read->GetEditSetActionPresModel()->GetAction());
}

}  // namespace
