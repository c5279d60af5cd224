// Action dialogs: which dialogs the envelope writes, the filter dialog's optional texts, the
// sections' parallel lists and the aggregations a field mapping starts with.

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

// One write and the lines it must and must not begin with.
struct WriteCase {
  const char* name;
  std::vector<std::string> (*write)();
  std::vector<std::string> present, absent;
};

const WriteCase kWrites[] = {
    {"a filter dialog that does nothing on clear, with empty validation texts", [] { return Out(FilterDialog()); },
     {"Parameter 0xd68da6c0 none"},
     {"Parameter 0xd6400a3f", "Parameter 0xd6279b93", "Parameter 0xd6bbf75c", "Begin SubStructure 0xd60aee94"}},
    {"a filter dialog that excludes all on clear, with a tooltip and a mapping section",
     [] {
       auto d = FilterDialog();
       d->SetOnClearSelection(OnClear::ExcludeAll);
       d->SetActionValidationTooltipMessage(u"check the fields");
       d->SetFilterSection(MakeRefCnt<FilterSectionPresModel>());
       return Out(d);
     },
     {"Parameter 0xd6400a3f exclude-all", "Parameter 0xd6bbf75c check the fields", "Begin SubStructure 0xd60aee94"},
     {"Parameter 0xd6279b93"}},
    {"a field mapping before its aggregations are set",
     [] { return Out(MakeRefCnt<FieldMappingDataPresModel>()); },
     {"Parameter 0xd918f9cc none", "Parameter 0xd9858108 none"},
     {}},
};

TEST(ActionDialogs, WhatAWriteHoldsAndLeavesOut) {
  for (const WriteCase& c : kWrites) {
    SCOPED_TRACE(c.name);
    const auto out = c.write();
    for (const std::string& line : c.present) EXPECT_TRUE(Writes(out, line)) << line;
    for (const std::string& line : c.absent) EXPECT_FALSE(Writes(out, line)) << line;
  }
}

TEST(ActionDialogs, ASourceSectionWritesItsNamesAndStatesAsParallelLists) {
  EXPECT_EQ(Out(SourceSheets()),
            test::Lines({"Begin ListStructure 0xd63e297e", "End", "Begin ListStructure 0xd632ded0",
                         "ListItem Sheet 1", "ListItem Sheet 2", "ListItem Sheet 3", "End",
                         "Begin ListStructure 0xd68a6ac1", "ListItem true", "ListItem false", "ListItem true", "End"}));
}

}  // namespace
