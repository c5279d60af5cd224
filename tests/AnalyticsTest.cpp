// Analytics: reference lines, distributions, trend lines and the calculation editor.

#include "TestSupport.h"
#include "models/CalculationModels.h"
#include "models/ReferenceLinesModels.h"

namespace {

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;

template <typename E>
std::string Text(int value) {
  test::Registry();
  return ValueText<E>::ToString(static_cast<E>(value)).ToUtf8();
}

RefCntPtr<EditReferenceBandPresModel> BandPage() {
  auto band = MakeRefCnt<EditReferenceBandPresModel>();
  band->SetVisualID(MakeRefCnt<VisualIDPresModel>());
  band->SetFieldPickerCombo(MakeRefCnt<FieldPickerComboPresModel>());
  band->SetPairedFieldPickerCombo(MakeRefCnt<FieldPickerComboPresModel>());
  return band;
}

// ---- reference lines, distributions and trend lines

TEST(ReferenceLines, WhatIsWritten) {
  const test::WriteCase cases[] = {
      {"a default reference line writes every member",
       test::Written<ReferenceLinePresModel>,
       {"Begin ListStructure 0xd68558f3", "End", "Begin ListStructure 0xd697349f", "End", "Parameter 0xd60a729a 4",
        "Parameter 0xd6cef440 95", "Begin ListStructure 0xd6d06b5b", "End", "Parameter 0xd632f471 true"},
       {},
       31},
      {"an editor with only a band page",
       [] { return test::Written<ReferenceLineEditorPresModel>([](auto& e) { e.SetReferenceBand(BandPage()); }); },
       {"Parameter 0xd60429dc " + Text<ReferenceLine::FormulaGroup>(0), "Begin SubStructure 0xd63d5f74"},
       {"Begin SubStructure 0xd6ac00c7", "Begin SubStructure 0xd6f54de7"},
       2},
      {"a default band page goes from formula 3 to formula 4",
       [] { return test::OutputOf(BandPage()); },
       {"Parameter 0xd6d4fab6 " + Text<ReferenceLine::FormulaType>(3),
        "Parameter 0xd65c4f1a " + Text<ReferenceLine::FormulaType>(4)},
       {}},
      {"a default trend line",
       test::Written<TrendLinePresModel>,
       {"Parameter 0xd6e09c07 -1", "Parameter 0xd6b6acb8 linear", "Parameter 0xd6660f3d 3",
        "Begin ListStructure 0xd6483582", "End", "Parameter 0xd63fc1e2 true", "Parameter 0xd632f471 true",
        "Parameter 0xd69a8afd 2", "Parameter 0xd643e007 8"},
       {},
       11},
  };
  test::ExpectWrites(cases);
}

TEST(ReferenceLines, OnlyTheEditorsPagesMayBeMissing) {
  const auto band = BandPage();
  band->SetPairedFieldPickerCombo(nullptr);
  test::ExpectNullPointerAssertion([&] { test::OutputOf(band); });
  auto editor = MakeRefCnt<ReferenceLineEditorPresModel>();
  editor->SetReferenceBand(band);
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] { Ser<ReferenceLineEditorPresModel>::SerializeObj(editor, cursor); });
  EXPECT_EQ(cursor.OpenScopes(), 0);
}

// ---- the calculation editor

RefCntPtr<CalculationPresModel> TypeInPill(bool isTypeInPill) {
  auto calc = MakeRefCnt<CalculationPresModel>();
  calc->SetIsTypeInPill(isTypeInPill);
  calc->SetTypeInPillPaneSpecId(isTypeInPill ? 0 : 4);
  calc->SetTypeInPillShelfType(static_cast<ShelfType>(isTypeInPill ? 0 : 2));
  calc->SetTypeInPillShelfPos(isTypeInPill ? 0 : 5);
  return calc;
}

TEST(Calculations, WhatIsWritten) {
  const std::vector<std::string> typeInPill = {"Parameter 0xd6c72b9f", "Parameter 0xd6e09c07", "Parameter 0xd63ab3fb",
                                               "Parameter 0xd68d9cd6"};
  const test::WriteCase cases[] = {
      {"a default calculation",
       test::Written<CalculationPresModel>,
       {"Parameter 0xd6ac40fa false", "Begin ListStructure 0xd6da467f", "End", "Begin ListStructure 0xd651cb9d",
        "End", "Begin SubStructure 0xd6f1d7e3", "Parameter 0xd6538b55 false", "Parameter 0xd6698581 true",
        "Parameter 0xd677a7c3 -1", "Parameter 0xd936ba8f ", "Parameter 0xd605158f ", "End",
        "Parameter 0xd6246b76 calculation-dialog", "Parameter 0xd66c77f2 true"},
       {"Parameter 0xd6c72b9f", "Parameter 0xd6e09c07", "Parameter 0xd63ab3fb", "Parameter 0xd68d9cd6",
        "Parameter 0xd68b9bb7", "Begin SubStructure 0xd6824f2b", "Begin SubStructure 0xd6f06dc6"},
       20},
      {"a type-in pill at shelf position 0",
       [] { return test::OutputOf(TypeInPill(true)); },
       {"Parameter 0xd6c72b9f true", "Parameter 0xd6e09c07 0", "Parameter 0xd63ab3fb " + Text<ShelfType>(0),
        "Parameter 0xd68d9cd6 0"},
       {}},
      {"no type-in pill: its position is left out whatever it holds",
       [] { return test::OutputOf(TypeInPill(false)); },
       {},
       typeInPill},
      {"a function item with only its caret set",
       [] { return test::Written<AutoCompleteItemPresModel>([](auto& i) { i.SetCaretIndex(3); }); },
       {"Parameter 0xd6f38e65 3"},
       {},
       1},
      {"an item of another type writes it",
       [] { return test::OutputOf(MakeRefCnt<AutoCompleteItemPresModel>(static_cast<AutoCompleteItemType>(1))); },
       {"Parameter 0xd6fdc350 " + Text<AutoCompleteItemType>(1)},
       {}},
      {"a function's group flags are never written",
       [] { return test::Written<ExpressionFunctionPresModel>([](auto& f) { f.SetGroupFlags(6); }); },
       {},
       {"Parameter 0xd6c0bda6"}},
  };
  test::ExpectWrites(cases);
}

TEST(Calculations, ReadingBack) {
  auto caretOnly = MakeRefCnt<AutoCompleteItemPresModel>();
  caretOnly->SetCaretIndex(3);
  const auto item = test::ThroughText(caretOnly);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetItemType(), static_cast<AutoCompleteItemType>(2));
  EXPECT_EQ(item->GetCaretIndex(), 3u);

  auto function = MakeRefCnt<ExpressionFunctionPresModel>();
  function->SetGroupFlags(6);
  function->AddGroup(static_cast<FunctionGroup>(2));
  function->AddGroup(static_cast<FunctionGroup>(4));
  const auto read = test::ThroughText(function);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetGroupFlags(), 0u);
  EXPECT_EQ(read->GetGroups(), function->GetGroups());

  const auto selection = Ser<CalcEditorTextSelectionPresModel>::ToObject(MakeRefCnt<Parameters>(), 0, nullptr);
  EXPECT_EQ(selection->GetStartPos(), -1);
  EXPECT_EQ(selection->GetEndPos(), -1);

  // Members never written arrive from a writer that supplies them.
  const auto icon =
      test::FromText<AutoCompleteItemPresModel>(R"({"AutoCompleteItemPresModel":{"FieldIconIndex":"7"}})");
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->GetIconIndex(), 7u);
  const auto flags =
      test::FromText<ExpressionFunctionPresModel>(R"({"ExpressionFunctionPresModel":{"GroupFlags":"6"}})");
  ASSERT_TRUE(flags);
  EXPECT_EQ(flags->GetGroupFlags(), 6u);
}

TEST(Calculations, ConstructorsSetOnlyWhatTheyAreGiven) {
  auto typed = MakeRefCnt<AutoCompleteItemPresModel>();
  typed->SetItemType(static_cast<AutoCompleteItemType>(0));
  EXPECT_EQ(test::OutputOf(MakeRefCnt<AutoCompleteItemPresModel>(static_cast<AutoCompleteItemType>(0))),
            test::OutputOf(typed));
  auto token = MakeRefCnt<ExpressionTokenPresModel>();
  token->SetType(static_cast<Expression::Op>(3));
  token->SetSourceText(u"SUM");
  token->SetPosition(7);
  EXPECT_EQ(test::OutputOf(MakeRefCnt<ExpressionTokenPresModel>(static_cast<Expression::Op>(3), TString(u"SUM"), 7)),
            test::OutputOf(token));
  // Each calculation makes a join context of its own.
  EXPECT_NE(MakeRefCnt<CalculationPresModel>()->GetJoinOnCalcInfoPresModel(),
            MakeRefCnt<CalculationPresModel>()->GetJoinOnCalcInfoPresModel());
}

}  // namespace
