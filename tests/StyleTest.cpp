// Box, text and line styles and style contexts: what the box's unset markers keep out of a
// write, and the conversions to and from the style model.

#include "TestSupport.h"
#include "models/StyleModels.h"

namespace {

using B = StyledBox;
constexpr B::PropertyLocation kSides[] = {B::Top, B::Right, B::Bottom, B::Left};

std::vector<std::string> Ids(const std::vector<std::string>& out) {
  std::vector<std::string> ids;
  for (const std::string& line : out)
    if (line.rfind("Parameter ", 0) == 0) ids.push_back(line.substr(10, 10));
  return ids;
}

// A box with its whole-box border set: converting a model back always sets it.
StyledBox BorderedBox() {
  StyledBox box;
  box.SetBorderWidth(B::WholeBox, 1);
  box.SetBorderStyle(B::WholeBox, BorderStyle{1});
  box.SetBorderColor(B::WholeBox, ColorObject(7, 7, 7));
  return box;
}

TEST(StyledBoxes, AFreshBoxWritesOnlyItsWholeBoxProperties) {
  EXPECT_EQ(Ids(test::Written<StyledBoxPresModel>()),
            test::Lines({"0xd63722bf", "0xd64f990f", "0xd6c034f3", "0xd69161e0", "0xd6d5a6af", "0xd610a2e6"}));
}

TEST(StyledBoxes, SetPropertiesAreWrittenAndCopiedBackUnsetOnesAndMarkerValuesNot) {
  struct Case {
    const char* what;
    void (*set)(StyledBox&);
    std::vector<const char*> written, absent;  // lines the write holds, and line starts it lacks
    bool comesBack;                             // the model converted back gives the box again
  };
  const Case cases[] = {
      {"top border width 0", [](B& b) { b.SetBorderWidth(B::Top, 0); }, {"Parameter 0xd6a07f48 0"}, {}, true},
      {"margins, no padding",
       [](B& b) {
         b.SetMargin(B::WholeBox, 4);
         b.SetMargin(B::Bottom, 5);
       },
       {"Parameter 0xd68c5b97 4", "Parameter 0xd6daddb2 5"},
       {"Parameter 0xd632e289", "Parameter 0xd6bd461a", "Parameter 0xd660ab39", "Parameter 0xd66867e2",
        "Parameter 0xd63f66a6", "Parameter 0xd6fa9688"},
       true},
      {"left style and right colour",
       [](B& b) {
         b.SetBorderStyle(B::Left, BorderStyle{2});
         b.SetBorderColor(B::Right, ColorObject(1, 2, 3));
       },
       {"Parameter 0xd67349ca", "Parameter 0xd6e328d2"}, {"Parameter 0xd6e89aad", "Parameter 0xd65326de"}, true},
      {"fill and inner",
       [](B& b) {
         b.SetFillColor(ColorObject(9, 9, 9));
         b.SetHasFill(true);
         b.SetInner(true);
       },
       {"Parameter 0xd6d5a6af true", "Parameter 0xd610a2e6 true"}, {}, true},
      {"top width equal to the marker", [](B& b) { b.SetBorderWidth(B::Top, 16711422); }, {},
       {"Parameter 0xd6a07f48"}, false},
      {"left padding equal to the marker", [](B& b) { b.SetPadding(B::Left, 0xFEFEFE); }, {},
       {"Parameter 0xd63f66a6"}, false},
      {"right style equal to the marker", [](B& b) { b.SetBorderStyle(B::Right, BorderStyle{10}); }, {},
       {"Parameter 0xd6e21769"}, false},
      {"bottom colour equal to the marker", [](B& b) { b.SetBorderColor(B::Bottom, ColorObject(-1, -1, -1)); }, {},
       {"Parameter 0xd640b977"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StyledBox box = BorderedBox();
    c.set(box);
    const auto model = MakeRefCnt<StyledBoxPresModel>(box);
    const auto out = test::OutputOf(model);
    for (const char* line : c.written) EXPECT_TRUE(test::Writes(out, line)) << line;
    for (const char* line : c.absent) EXPECT_FALSE(test::Writes(out, line)) << line;
    EXPECT_EQ(static_cast<StyledBox>(*model) == box, c.comesBack);
  }
  // A marker value is dropped on the way back, not passed on.
  StyledBox marked = BorderedBox();
  marked.SetBorderWidth(B::Top, 16711422);
  marked.SetPadding(B::WholeBox, 16711422);
  const StyledBox back = *MakeRefCnt<StyledBoxPresModel>(marked);
  EXPECT_FALSE(back.HasBorderWidth(B::Top));
  EXPECT_FALSE(back.HasPadding(B::WholeBox));
  EXPECT_EQ(back, BorderedBox());
}

TEST(StyledBoxes, EverySideLandsInItsOwnMemberAndComesBackThere) {
  StyledBox box = BorderedBox();
  box.SetMargin(B::WholeBox, 50);
  box.SetPadding(B::WholeBox, 60);
  for (int i = 0; i < 4; ++i) {
    box.SetBorderWidth(kSides[i], 10 + i);
    box.SetBorderStyle(kSides[i], BorderStyle{i});
    box.SetBorderColor(kSides[i], ColorObject(i, i, i));
    box.SetMargin(kSides[i], 20 + i);
    box.SetPadding(kSides[i], 30 + i);
  }
  const auto m = MakeRefCnt<StyledBoxPresModel>(box);
  const unsigned int widths[] = {m->GetBorderWidthTop(), m->GetBorderWidthRight(), m->GetBorderWidthBottom(),
                                 m->GetBorderWidthLeft()};
  const BorderStyle styles[] = {m->GetBorderStyleTop(), m->GetBorderStyleRight(), m->GetBorderStyleBottom(),
                                m->GetBorderStyleLeft()};
  const ColorObject colors[] = {m->GetBorderColorTop(), m->GetBorderColorRight(), m->GetBorderColorBottom(),
                                m->GetBorderColorLeft()};
  const int margins[] = {m->GetMarginTop(), m->GetMarginRight(), m->GetMarginBottom(), m->GetMarginLeft()};
  const int paddings[] = {m->GetPaddingTop(), m->GetPaddingRight(), m->GetPaddingBottom(), m->GetPaddingLeft()};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(widths[i], box.GetBorderWidth(kSides[i]));
    EXPECT_EQ(styles[i], box.GetBorderStyle(kSides[i]));
    EXPECT_EQ(colors[i], box.GetBorderColor(kSides[i]));
    EXPECT_EQ(margins[i], box.GetMargin(kSides[i]));
    EXPECT_EQ(paddings[i], box.GetPadding(kSides[i]));
  }
  EXPECT_EQ(m->GetMargin(), 50);
  EXPECT_EQ(m->GetPadding(), 60);
  EXPECT_EQ(static_cast<StyledBox>(*m), box);
  EXPECT_EQ(static_cast<StyledBox>(*test::ThroughText(m)), box);
}

TEST(TextStyles, SeventeenPropertiesThereAndBack) {
  TextStyle style;
  style.SetFont(u"Serif");
  style.SetFontSize(12);
  style.SetFontStyle(OrrelinFontStyle{1});
  style.SetFontWeight(FontWeight{1});
  style.SetColor(ColorObject(10, 20, 30));
  style.SetHorizAlign(TextStyle::HorizAlign::Right);
  style.SetVertAlign(TextStyle::VertAlign::Center);
  style.SetDecoration(TextDecoration{2});
  style.SetOrientation(90);
  style.SetFormatString(u"0.0");
  style.SetWrap(TextWrapMode{1});
  style.SetIndent(2);
  style.SetLeftMargin(3);
  style.SetRightMargin(4);
  style.SetAllowHyphenation(true);
  style.SetHyperlink(u"http://x");
  style.SetAutoURL(true);
  const auto model = MakeRefCnt<TextStylePresModel>(style);
  EXPECT_EQ(model->GetHAlign(), TextRegionHAlign::HAlignRight);
  EXPECT_EQ(model->GetVAlign(), TextRegionVAlign{1});
  EXPECT_EQ(model->GetIndent(), 2);
  EXPECT_EQ(model->GetLeftMargin(), 3);
  EXPECT_EQ(static_cast<TextStyle>(*model), style);
  EXPECT_EQ(static_cast<TextStyle>(*test::ThroughText(model)), style);
  EXPECT_EQ(static_cast<TextStyle>(*MakeRefCnt<TextStylePresModel>(TextStyle())), TextStyle());
}

TEST(LineStyles, ADefaultLineWritesItsPatternBecauseOneIsNotZero) {
  const auto out = test::Written<LineStylePresModel>();
  EXPECT_EQ(Ids(out),
            test::Lines({"0xd6c929a1", "0xd6c2a675", "0xd6448ee4", "0xd6626c3d", "0xd63f7712", "0xd68c29a5"}));
  EXPECT_TRUE(test::Writes(out, "Parameter 0xd6626c3d 1"));
  EXPECT_TRUE(test::Writes(out, "Parameter 0xd68c29a5 #000000ff"));
}

TEST(LineStyles, ConvertBothWaysAndAPatternOfZeroComesBackAsTheStartingOne) {
  const LineStyle line(2.5f, ColorObject(1, 1, 1), LinePattern{2}, LineCap{2}, LineJoin{1}, LineAlignment{1});
  const auto model = MakeRefCnt<LineStylePresModel>(line);
  EXPECT_EQ(model->GetLineWidth(), 2.5f);
  EXPECT_EQ(static_cast<LineStyle>(*model), line);
  EXPECT_EQ(static_cast<LineStyle>(*test::ThroughText(model)), line);

  // A pattern of 0 is left out when written, so a reader keeps its start. (Each write gets a
  // model of its own: a model replays what its first write recorded.)
  const auto none = [] {
    auto m = MakeRefCnt<LineStylePresModel>();
    m->SetLinePattern(LinePattern{0});
    return m;
  };
  EXPECT_FALSE(test::Writes(test::OutputOf(none()), "Parameter 0xd6c929a1"));
  EXPECT_EQ(test::ThroughText(none())->GetLinePattern(), LinePattern{1});
}

TEST(StyleContexts, ConvertBackThroughTheConstructorTheirFieldNamesChoose) {
  struct Case {
    const char* what;
    StyleContext from;
    void (*change)(StyleContextPresModel&);
    StyleContext expected;  // the identifier aside
  };
  const std::vector<FieldName> one{FieldName(u"[a]")};
  const Case cases[] = {
      {"one field name: scope and data class lost", StyleContext(StyleElement{3}, one, FieldType{1}),
       [](StyleContextPresModel& m) {
         m.SetStyleFieldScope(StyleFieldScope{2});
         m.SetStyleDataClass(StyleDataClass{1});
       },
       StyleContext(StyleElement{3}, one, FieldType{1})},
      {"no field names: field type lost", StyleContext(StyleElement{3}, StyleFieldScope{1}, StyleDataClass{2}),
       [](StyleContextPresModel& m) { m.SetFieldType(FieldType{2}); },
       StyleContext(StyleElement{3}, StyleFieldScope{1}, StyleDataClass{2})},
      {"field names added to a scoped context", StyleContext(StyleElement{4}, StyleFieldScope{1}, StyleDataClass{2}),
       [](StyleContextPresModel& m) {
         m.AddFieldName(FieldName(u"[b]"));
         m.SetFieldType(FieldType{2});
       },
       StyleContext(StyleElement{4}, {FieldName(u"[b]")}, FieldType{2})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StyleContext from = c.from, expected = c.expected;
    from.SetID(u"id-1");
    expected.SetID(u"id-1");
    const auto model = MakeRefCnt<StyleContextPresModel>(from);
    EXPECT_EQ(model->GetElementInstanceId(), TString(u"id-1"));
    EXPECT_EQ(static_cast<StyleContext>(*model), from);
    c.change(*model);
    EXPECT_EQ(static_cast<StyleContext>(*model), expected);
  }
}

}  // namespace
