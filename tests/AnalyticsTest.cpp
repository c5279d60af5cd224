// Analytics: reference lines, distributions, trend lines and the calculation editor.

#include <algorithm>

#include "TestSupport.h"
#include "models/CalculationModels.h"
#include "models/ReferenceLinesModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;

template <typename M>
std::vector<std::string> Out(const RefCntPtr<M>& model) {
  return test::OutputOf(RefCntPtr<const M>(model));
}

template <typename M>
RefCntPtr<const M> FromText(const std::string& text) {
  const RefCntPtr<IParameters> bag = WireReader(test::Registry()).Read(text);
  const auto* held = HolderOf<RefCntPtr<const M>>(bag->GetParameter(M::ID));
  return held ? held->Value() : nullptr;
}

template <typename M>
RefCntPtr<const M> ThroughText(const RefCntPtr<M>& model) {
  return FromText<M>(JsonCursor::Write(test::Registry(), *model->AsIParameters()));
}

// The members a write holds at its top level.
int TopLevelMembers(const std::vector<std::string>& out) {
  int depth = 0, members = 0;
  for (const std::string& line : out) {
    if (depth == 0 && line != "End") ++members;
    depth += line.rfind("Begin", 0) == 0 ? 1 : line == "End" ? -1 : 0;
  }
  return members;
}

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

struct WriteCase {
  const char* name;
  std::vector<std::string> out;
  std::vector<std::string> present;  // in this order, not necessarily adjacent
  std::vector<std::string> absent;   // starts of lines that must not be written
  int members = -1;                  // at the top level, when checked
};

void Check(const WriteCase& c) {
  SCOPED_TRACE(c.name);
  auto at = c.out.begin();
  for (const std::string& line : c.present) {
    at = std::find(at, c.out.end(), line);
    ASSERT_NE(at, c.out.end()) << line;
  }
  for (const std::string& prefix : c.absent)
    EXPECT_TRUE(std::none_of(c.out.begin(), c.out.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }))
        << prefix;
  if (c.members >= 0) {
    EXPECT_EQ(TopLevelMembers(c.out), c.members);
  }
}

// ---- reference lines, distributions and trend lines

TEST(ReferenceLines, WhatIsWritten) {
  auto editor = MakeRefCnt<ReferenceLineEditorPresModel>();
  editor->SetReferenceBand(BandPage());
  const WriteCase cases[] = {
      {"a default reference line writes every member",
       Out(MakeRefCnt<ReferenceLinePresModel>()),
       {"Begin ListStructure 0xd68558f3", "End", "Begin ListStructure 0xd697349f", "End", "Parameter 0xd60a729a 4",
        "Parameter 0xd6cef440 95", "Begin ListStructure 0xd6d06b5b", "End", "Parameter 0xd632f471 true"},
       {},
       31},
      {"an editor with only a band page",
       Out(editor),
       {"Parameter 0xd60429dc " + Text<ReferenceLine::FormulaGroup>(0), "Begin SubStructure 0xd63d5f74"},
       {"Begin SubStructure 0xd6ac00c7", "Begin SubStructure 0xd6f54de7"},
       2},
      {"a default band page goes from formula 3 to formula 4",
       Out(BandPage()),
       {"Parameter 0xd6d4fab6 " + Text<ReferenceLine::FormulaType>(3),
        "Parameter 0xd65c4f1a " + Text<ReferenceLine::FormulaType>(4)},
       {}},
      {"a default trend line",
       Out(MakeRefCnt<TrendLinePresModel>()),
       {"Parameter 0xd6e09c07 -1", "Parameter 0xd6b6acb8 linear", "Parameter 0xd6660f3d 3",
        "Begin ListStructure 0xd6483582", "End", "Parameter 0xd63fc1e2 true", "Parameter 0xd632f471 true",
        "Parameter 0xd69a8afd 2", "Parameter 0xd643e007 8"},
       {},
       11},
  };
  for (const WriteCase& c : cases) Check(c);
}

TEST(ReferenceLines, OnlyTheEditorsPagesMayBeMissing) {
  const auto band = BandPage();
  band->SetPairedFieldPickerCombo(nullptr);
  test::ExpectNullPointerAssertion([&] { Out(band); });
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
  auto caretOnly = MakeRefCnt<AutoCompleteItemPresModel>();
  caretOnly->SetCaretIndex(3);
  auto function = MakeRefCnt<ExpressionFunctionPresModel>();
  function->SetGroupFlags(6);
  const std::vector<std::string> typeInPill = {"Parameter 0xd6c72b9f", "Parameter 0xd6e09c07", "Parameter 0xd63ab3fb",
                                               "Parameter 0xd68d9cd6"};
  const WriteCase cases[] = {
      {"a default calculation",
       Out(MakeRefCnt<CalculationPresModel>()),
       {"Parameter 0xd6ac40fa false", "Begin ListStructure 0xd6da467f", "End", "Begin ListStructure 0xd651cb9d",
        "End", "Begin SubStructure 0xd6f1d7e3", "Parameter 0xd6538b55 false", "Parameter 0xd6698581 true",
        "Parameter 0xd677a7c3 -1", "Parameter 0xd936ba8f ", "Parameter 0xd605158f ", "End",
        "Parameter 0xd6246b76 calculation-dialog", "Parameter 0xd66c77f2 true"},
       {"Parameter 0xd6c72b9f", "Parameter 0xd6e09c07", "Parameter 0xd63ab3fb", "Parameter 0xd68d9cd6",
        "Parameter 0xd68b9bb7", "Begin SubStructure 0xd6824f2b", "Begin SubStructure 0xd6f06dc6"},
       20},
      {"a type-in pill at shelf position 0",
       Out(TypeInPill(true)),
       {"Parameter 0xd6c72b9f true", "Parameter 0xd6e09c07 0", "Parameter 0xd63ab3fb " + Text<ShelfType>(0),
        "Parameter 0xd68d9cd6 0"},
       {}},
      {"no type-in pill: its position is left out whatever it holds", Out(TypeInPill(false)), {}, typeInPill},
      {"a function item with only its caret set", Out(caretOnly), {"Parameter 0xd6f38e65 3"}, {}, 1},
      {"an item of another type writes it",
       Out(MakeRefCnt<AutoCompleteItemPresModel>(static_cast<AutoCompleteItemType>(1))),
       {"Parameter 0xd6fdc350 " + Text<AutoCompleteItemType>(1)},
       {}},
      {"a function's group flags are never written", Out(function), {}, {"Parameter 0xd6c0bda6"}},
  };
  for (const WriteCase& c : cases) Check(c);
}

TEST(Calculations, ReadingBack) {
  auto caretOnly = MakeRefCnt<AutoCompleteItemPresModel>();
  caretOnly->SetCaretIndex(3);
  const auto item = ThroughText(caretOnly);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetItemType(), static_cast<AutoCompleteItemType>(2));
  EXPECT_EQ(item->GetCaretIndex(), 3u);

  auto function = MakeRefCnt<ExpressionFunctionPresModel>();
  function->SetGroupFlags(6);
  function->AddGroup(static_cast<FunctionGroup>(2));
  function->AddGroup(static_cast<FunctionGroup>(4));
  const auto read = ThroughText(function);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetGroupFlags(), 0u);
  EXPECT_EQ(read->GetGroups(), function->GetGroups());

  const auto selection = Ser<CalcEditorTextSelectionPresModel>::ToObject(MakeRefCnt<Parameters>(), 0, nullptr);
  EXPECT_EQ(selection->GetStartPos(), -1);
  EXPECT_EQ(selection->GetEndPos(), -1);

  // Members never written arrive from a writer that supplies them.
  const auto icon = FromText<AutoCompleteItemPresModel>(R"({"AutoCompleteItemPresModel":{"FieldIconIndex":"7"}})");
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->GetIconIndex(), 7u);
  const auto flags = FromText<ExpressionFunctionPresModel>(R"({"ExpressionFunctionPresModel":{"GroupFlags":"6"}})");
  ASSERT_TRUE(flags);
  EXPECT_EQ(flags->GetGroupFlags(), 6u);
}

TEST(Calculations, ConstructorsSetOnlyWhatTheyAreGiven) {
  auto typed = MakeRefCnt<AutoCompleteItemPresModel>();
  typed->SetItemType(static_cast<AutoCompleteItemType>(0));
  EXPECT_EQ(Out(MakeRefCnt<AutoCompleteItemPresModel>(static_cast<AutoCompleteItemType>(0))), Out(typed));
  auto token = MakeRefCnt<ExpressionTokenPresModel>();
  token->SetType(static_cast<Expression::Op>(3));
  token->SetSourceText(u"SUM");
  token->SetPosition(7);
  EXPECT_EQ(Out(MakeRefCnt<ExpressionTokenPresModel>(static_cast<Expression::Op>(3), TString(u"SUM"), 7)), Out(token));
  // Each calculation makes a join context of its own.
  EXPECT_NE(MakeRefCnt<CalculationPresModel>()->GetJoinOnCalcInfoPresModel(),
            MakeRefCnt<CalculationPresModel>()->GetJoinOnCalcInfoPresModel());
}

}  // namespace
