// Action dialogs: which dialogs the envelope writes, the filter dialog's optional texts, the
// sections' parallel lists, and nested members that must be set and those that need not be.

#include <algorithm>

#include "TestSupport.h"
#include "models/ActionDialogsModels.h"

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

// Nested members written only when set may stay null (every member written always must be
// set: the every-model presence test covers those).
const std::pair<const char*, void (*)()> kNeedNotBeSet[] = {
    {"sheet-link update without its source",
     [] { (void)test::OutputOf(RefCntPtr<const UpdateSheetLinkActionPresModel>(MakeRefCnt<UpdateSheetLinkActionPresModel>())); }},
    {"filter dialog without its mapping section", [] { (void)Out(FilterDialog()); }},
    {"envelope with a set editor lacking its action",
     [] {
       auto editor = MakeRefCnt<EditGroupActionPresModel>();
       editor->SetSourceSheetsSection(MakeRefCnt<SourceSheetsSectionPresModel>());
       editor->SetWarnings(MakeRefCnt<ActionWarningsPresModel>());
       auto w = MakeRefCnt<ActionsDialogWrapperPresModel>();
       w->SetEditSetActionPresModel(editor);
       (void)Out(w);
     }},
};

TEST(ActionDialogs, NestedMembersWrittenWhenSetNeedNotBeSet) {
  for (const auto& [name, write] : kNeedNotBeSet) {
    SCOPED_TRACE(name);
    EXPECT_NO_THROW(write());
  }
}

}  // namespace
