// Action dialogs: which dialogs the envelope writes, the filter dialog's optional texts, the
// sections' parallel lists and the aggregations a field mapping starts with.

#include "TestSupport.h"
#include "models/ActionDialogsModels.h"

namespace {

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

TEST(ActionDialogs, TheEnvelopeWritesItsKindAndEveryDialogSetInOrder) {
  auto one = MakeRefCnt<ActionsDialogWrapperPresModel>();
  one->SetActionDialogType(DashboardActionDialogType::Filter);
  one->SetFilterActionDialogPresModel(FilterDialog());
  EXPECT_EQ(test::TopLevel(test::OutputOf(one)),
            test::Lines({"Parameter 0xd6964b97 filter", "Begin SubStructure 0xd67915f1"}));

  // The kind does not choose: both dialogs set are written, in member order.
  auto two = MakeRefCnt<ActionsDialogWrapperPresModel>();
  two->SetActionDialogType(DashboardActionDialogType::Highlight);
  two->SetHighlightActionDialogPresModel(HighlightDialog());
  two->SetFilterActionDialogPresModel(FilterDialog());
  EXPECT_EQ(test::TopLevel(test::OutputOf(two)),
            test::Lines(
                {"Parameter 0xd6964b97 highlight", "Begin SubStructure 0xd67915f1", "Begin SubStructure 0xd6e37d22"}));

  EXPECT_EQ(test::Written<ActionsDialogWrapperPresModel>(), test::Lines({"Parameter 0xd6964b97 invalid"}));
}

const test::WriteCase kWrites[] = {
    {"a filter dialog that does nothing on clear, with empty validation texts",
     [] { return test::OutputOf(FilterDialog()); },
     {"Parameter 0xd68da6c0 none"},
     {"Parameter 0xd6400a3f", "Parameter 0xd6279b93", "Parameter 0xd6bbf75c", "Begin SubStructure 0xd60aee94"}},
    {"a filter dialog that excludes all on clear, with a tooltip and a mapping section",
     [] {
       auto d = FilterDialog();
       d->SetOnClearSelection(OnClear::ExcludeAll);
       d->SetActionValidationTooltipMessage(u"check the fields");
       d->SetFilterSection(MakeRefCnt<FilterSectionPresModel>());
       return test::OutputOf(d);
     },
     {"Parameter 0xd6400a3f exclude-all", "Begin SubStructure 0xd60aee94", "Parameter 0xd6bbf75c check the fields"},
     {"Parameter 0xd6279b93"}},
    {"a field mapping before its aggregations are set",
     test::Written<FieldMappingDataPresModel>,
     {"Parameter 0xd918f9cc none", "Parameter 0xd9858108 none"},
     {}},
};

TEST(ActionDialogs, WhatAWriteHoldsAndLeavesOut) { test::ExpectWrites(kWrites); }

TEST(ActionDialogs, ASourceSectionWritesItsNamesAndStatesAsParallelLists) {
  EXPECT_EQ(test::OutputOf(SourceSheets()),
            test::Lines({"Begin ListStructure 0xd63e297e", "End", "Begin ListStructure 0xd632ded0",
                         "ListItem Sheet 1", "ListItem Sheet 2", "ListItem Sheet 3", "End",
                         "Begin ListStructure 0xd68a6ac1", "ListItem true", "ListItem false", "ListItem true", "End"}));
}

}  // namespace
