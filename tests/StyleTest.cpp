// Box, text and line styles and style contexts: what they write, and their conversions to
// and from the style model.

#include <algorithm>

#include "TestSupport.h"
#include "models/StyleModels.h"

namespace {

template <typename M>
std::vector<std::string> Ids(const RefCntPtr<M>& model) {
  std::vector<std::string> ids;
  for (const std::string& line : test::OutputOf(RefCntPtr<const M>(model)))
    if (line.rfind("Parameter ", 0) == 0) ids.push_back(line.substr(10, 10));
  return ids;
}

TEST(StyledBoxes, AFreshBoxWritesOnlyItsWholeBoxProperties) {
  EXPECT_EQ(Ids(MakeRefCnt<StyledBoxPresModel>()),
            test::Lines({"0xd63722bf", "0xd64f990f", "0xd6c034f3", "0xd69161e0", "0xd6d5a6af", "0xd610a2e6"}));
}

TEST(StyledBoxes, SetSidesAreWrittenAndCopiedBackUnsetOnesNot) {
  StyledBox box;
  // The whole-box border is always copied back, so the original sets it too.
  box.SetBorderWidth(StyledBox::WholeBox, 1);
  box.SetBorderStyle(StyledBox::WholeBox, BorderStyle{1});
  box.SetBorderColor(StyledBox::WholeBox, ColorObject(7, 7, 7));
  box.SetBorderWidth(StyledBox::Top, 0);
  box.SetBorderStyle(StyledBox::Left, BorderStyle{2});
  box.SetBorderColor(StyledBox::Right, ColorObject(1, 2, 3));
  box.SetMargin(StyledBox::WholeBox, 4);
  box.SetMargin(StyledBox::Bottom, 5);
  box.SetFillColor(ColorObject(9, 9, 9));
  box.SetHasFill(true);
  box.SetInner(true);
  const auto model = MakeRefCnt<StyledBoxPresModel>(box);
  const auto ids = Ids(model);
  for (const char* written : {"0xd6a07f48", "0xd67349ca", "0xd6e328d2", "0xd68c5b97", "0xd6daddb2"})
    EXPECT_NE(std::find(ids.begin(), ids.end(), written), ids.end()) << written;
  for (const char* left : {"0xd65881d0", "0xd632e289", "0xd6bd461a", "0xd6fa9688"})  // unset: not written
    EXPECT_EQ(std::find(ids.begin(), ids.end(), left), ids.end()) << left;
  const StyledBox back = *model;
  EXPECT_EQ(back, box) << "copied back property for property";
  EXPECT_FALSE(back.HasPadding(StyledBox::WholeBox));
}

TEST(StyledBoxes, AValueEqualToTheMarkerCountsAsUnset) {
  StyledBox box;
  box.SetBorderWidth(StyledBox::Top, 16711422);
  const auto model = MakeRefCnt<StyledBoxPresModel>(box);
  const auto ids = Ids(model);
  EXPECT_EQ(std::find(ids.begin(), ids.end(), "0xd6a07f48"), ids.end());
  EXPECT_FALSE(static_cast<StyledBox>(*model).HasBorderWidth(StyledBox::Top));
}

TEST(TextStyles, SeventeenPropertiesThereAndBack) {
  TextStyle style;
  style.SetFont(u"Serif");
  style.SetFontSize(12);
  style.SetColor(ColorObject(10, 20, 30));
  style.SetHorizAlign(TextStyle::HorizAlign::Right);
  style.SetVertAlign(TextStyle::VertAlign::Top);
  style.SetOrientation(90);
  style.SetWrap(TextWrapMode{1});
  style.SetIndent(2);
  style.SetAllowHyphenation(true);
  style.SetHyperlink(u"http://x");
  style.SetAutoURL(true);
  const auto model = MakeRefCnt<TextStylePresModel>(style);
  EXPECT_EQ(model->GetHAlign(), TextRegionHAlign::HAlignRight);
  EXPECT_EQ(static_cast<TextStyle>(*model), style);
  // Defaults: alignments and wrapping at 3 are not written.
  EXPECT_EQ(Ids(MakeRefCnt<TextStylePresModel>()), test::Lines({"0xd68c29a5"}));
}

TEST(LineStyles, ADefaultLineWritesItsPatternBecauseOneIsNotZero) {
  const auto out = test::OutputOf(RefCntPtr<const LineStylePresModel>(MakeRefCnt<LineStylePresModel>()));
  ASSERT_EQ(out.size(), 6u);
  EXPECT_EQ(out[3], "Parameter 0xd6626c3d 1");
  EXPECT_EQ(out[5], "Parameter 0xd68c29a5 #000000ff");
  const LineStyle line(2.5f, ColorObject(1, 1, 1), LinePattern{2}, LineCap{2}, LineJoin{1}, LineAlignment{1});
  EXPECT_EQ(static_cast<LineStyle>(*MakeRefCnt<LineStylePresModel>(line)), line);
}

TEST(LineStyles, APatternEqualToItsOmissionValueComesBackAsTheStartingValue) {
  auto line = MakeRefCnt<LineStylePresModel>();
  line->SetLinePattern(LinePattern{0});  // left out when written ...
  const auto out = test::OutputOf(RefCntPtr<const LineStylePresModel>(line));
  EXPECT_EQ(std::count_if(out.begin(), out.end(), [](const auto& l) { return l.rfind("Parameter 0xd6c929a1", 0) == 0; }),
            0);
  auto bag = MakeRefCnt<Parameters>();  // ... so a reader sees no pattern and keeps the start
  EXPECT_EQ((StructSerializer<RefCntPtr<const LineStylePresModel>, RefCntPtr<LineStylePresModel>>::ToObject(bag, 0, nullptr)
                 ->GetLinePattern()),
            LinePattern{1});
}

TEST(StyleContexts, ConvertBackThroughTheConstructorTheirFieldsChoose) {
  StyleContext byFields(StyleElement{3}, {FieldName(u"[a]")}, FieldType{1});
  byFields.SetID(u"id-1");
  const auto fromFields = MakeRefCnt<StyleContextPresModel>(byFields);
  fromFields->SetStyleFieldScope(StyleFieldScope{2});  // lost on the way back
  const StyleContext back = *fromFields;
  EXPECT_EQ(back.GetFieldNames(), byFields.GetFieldNames());
  EXPECT_EQ(back.GetFieldType(), FieldType{1});
  EXPECT_EQ(back.GetFieldScope(), StyleFieldScope{});
  EXPECT_EQ(back.GetID(), TString(u"id-1"));

  const StyleContext byScope(StyleElement{3}, StyleFieldScope{1}, StyleDataClass{2});
  const auto fromScope = MakeRefCnt<StyleContextPresModel>(byScope);
  fromScope->SetFieldType(FieldType{2});  // lost on the way back
  const StyleContext back2 = *fromScope;
  EXPECT_EQ(back2.GetDataClass(), StyleDataClass{2});
  EXPECT_EQ(back2.GetFieldType(), FieldType{});
}

}  // namespace
