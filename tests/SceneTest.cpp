// The visual and its scene: what their presence rules leave out, and the values of sibling
// libraries they carry (images, pane ids, data columns).

#include <QGuiApplication>
#include <algorithm>
#include <vector>

#include "TestSupport.h"
#include "models/VisualModels.h"
#include "presentation-model/SimpleTypesPresModelHelpers.h"

namespace {

using namespace SimpleTypesPresModelHelpers;

RefCntPtr<const CommandsPresModel> Commands(int n) {
  auto c = MakeRefCnt<CommandsPresModel>();
  for (int i = 0; i < n; ++i) c->AddCommand(u"show-me");
  return c;
}

// ---- what presence rules leave out

// A sort indicator item writes its state always: every item here has one.
template <typename F>
std::vector<std::string> ItemWritten(F set) {
  return test::Written<SortIndicatorItemPresModel>([&](SortIndicatorItemPresModel& i) {
    i.SetSortIndicatorState(MakeRefCnt<SortIndicatorStatePresModel>());
    set(i);
  });
}

struct PresenceCase {
  const char* name;
  std::vector<std::string> (*write)();
  const char* line;  // the start of the line in question
  bool written;
};

const PresenceCase kPresence[] = {
    {"a null button rectangle", [] { return ItemWritten([](auto&) {}); }, "Begin SubStructure 0xd63c4385", false},
    {"a button rectangle of zero width",
     [] { return ItemWritten([](auto& i) { i.SetButtonRect(RectPresModelFromRect(QRect(1, 1, 0, 5))); }); },
     "Begin SubStructure 0xd63c4385", false},
    {"a button rectangle of zero height",
     [] { return ItemWritten([](auto& i) { i.SetButtonRect(RectPresModelFromRect(QRect(1, 1, 5, 0))); }); },
     "Begin SubStructure 0xd63c4385", false},
    {"a button rectangle with an extent",
     [] { return ItemWritten([](auto& i) { i.SetButtonRect(RectPresModelFromRect(QRect(1, 1, 5, 5))); }); },
     "Begin SubStructure 0xd63c4385", true},
    {"pane extents of zero height",
     [] {
       return test::Written<PaneMarksPresModel>(
           [](auto& p) { p.SetDomainExtents(RectPresModelFromRect(QRectF(0, 0, 2.5, 0))); });
     },
     "Begin SubStructure 0xd69dcecd", false},
    {"pane extents with an extent",
     [] {
       return test::Written<PaneMarksPresModel>(
           [](auto& p) { p.SetDomainExtents(RectPresModelFromRect(QRectF(0, 0, 2.5, 0.5))); });
     },
     "Begin SubStructure 0xd69dcecd", true},
    {"a pane origin at (0, 0)",
     [] {
       return test::Written<PaneMarksPresModel>([](auto& p) { p.SetDomainOrigin(BuildFloatPointPresModel(0, 0)); });
     },
     "Begin SubStructure 0xd61c5b86", false},
    {"a pane origin off (0, 0) in y only",
     [] {
       return test::Written<PaneMarksPresModel>([](auto& p) { p.SetDomainOrigin(BuildFloatPointPresModel(0, -1)); });
     },
     "Begin SubStructure 0xd61c5b86", true},
    // The visual.
    {"a default visual writes no nested model", test::Written<VisualPresModel>, "Begin SubStructure", false},
    {"an empty axis-region list has no scope", test::Written<VisualPresModel>, "Begin ListStructure 0xd6000bb6", false},
    {"an empty selection list has a scope", test::Written<VisualPresModel>, "Begin ListStructure 0xd660725b", true},
    {"a command list without commands",
     [] { return test::Written<VisualPresModel>([](auto& v) { v.SetShowMe(Commands(0)); }); },
     "Begin ListStructure 0xd69735df", false},
    {"a command list with a command",
     [] { return test::Written<VisualPresModel>([](auto& v) { v.SetShowMe(Commands(1)); }); },
     "Begin ListStructure 0xd69735df", true},
    {"zoom level 100 is left out",
     [] { return test::Written<VisualPresModel>([](auto& v) { v.SetZoomLevel(100.0f); }); }, "Parameter 0xd60c2ae2",
     false},
    {"zoom level at its start is written", test::Written<VisualPresModel>, "Parameter 0xd60c2ae2 0", true},
    {"an empty identifier is left out", test::Written<VisualPresModel>, "Parameter 0xd691b63b", false},
    // The scene.
    {"a fresh scene: page count 1 left out", test::Written<ScenePresModel>, "Parameter 0xd63c0ed1", false},
    {"page count 0 written", [] { return test::Written<ScenePresModel>([](auto& s) { s.SetPageCount(0); }); },
     "Parameter 0xd63c0ed1 0", true},
    {"a fresh scene: current page 0 left out", test::Written<ScenePresModel>, "Parameter 0xd69dedc8", false},
    {"a fresh scene: no mark map scope", test::Written<ScenePresModel>, "Begin MapStructure 0xd643af56", false},
    // The marks of a primitive kind.
    {"geometries of a shape are never written",
     [] { return test::Written<PDMarksPresModel>([](auto& m) { m.AddGeometry(u"POINT(1 2)"); }); },
     "Begin ListStructure 0xd64d4193", false},
    {"geometries of a multipolygon are written, even none",
     [] {
       return test::Written<PDMarksPresModel>([](auto& m) { m.SetPrimitiveType(MarkLayout::Primitive::Multipolygon); });
     },
     "Begin ListStructure 0xd64d4193", true},
    {"a label mode without labels shown",
     [] { return test::Written<PDMarksPresModel>([](auto& m) { m.SetLabelMode(static_cast<MarkLabelsMode>(1)); }); },
     "Parameter 0xd6c568bf", false},
    {"labels shown: the label mode, even at 0",
     [] { return test::Written<PDMarksPresModel>([](auto& m) { m.SetShowLabels(true); }); }, "Parameter 0xd6c568bf",
     true},
    // A hit-tested element.
    {"a fresh element: detail id with all bits set left out", test::Written<SceneElementPresModel>,
     "Parameter 0xd64ddd76", false},
    {"detail id 0 written", [] { return test::Written<SceneElementPresModel>([](auto& e) { e.SetDetailId(0); }); },
     "Parameter 0xd64ddd76 0", true},
    // A data column.
    {"a fresh column: data type 8 left out", test::Written<VizColumnPresModel>, "Parameter 0xd953b54e", false},
    {"a fresh column: aggregation 12 left out", test::Written<VizColumnPresModel>, "Parameter 0xd94f7703", false},
    {"data type 0 written",
     [] { return test::Written<VizColumnPresModel>([](auto& c) { c.SetDataType(static_cast<DataType>(0)); }); },
     "Parameter 0xd953b54e", true},
    {"aggregation 0 written",
     [] { return test::Written<VizColumnPresModel>([](auto& c) { c.SetAggType(static_cast<AggType>(0)); }); },
     "Parameter 0xd94f7703", true},
    // A data value is written only when it holds one.
    {"no data value", test::Written<HostValuesPresModel>, "Parameter 0xd6ff0050", false},
    {"the data value false",
     [] { return test::Written<HostValuesPresModel>([](auto& h) { h.SetValue(DataValue(false)); }); },
     "Parameter 0xd6ff0050", true},
};

void PrintTo(const PresenceCase& c, std::ostream* os) { *os << c.name; }

class ScenePresence : public testing::TestWithParam<PresenceCase> {};

TEST_P(ScenePresence, DecidesWhatIsWritten) {
  const PresenceCase& c = GetParam();
  EXPECT_EQ(test::Writes(c.write(), c.line), c.written) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Scene, ScenePresence, testing::ValuesIn(kPresence),
                         [](const testing::TestParamInfo<PresenceCase>& info) {
                           return "case" + std::to_string(info.index);
                         });

TEST(Visual, IsWrittenAfresh) {
  const RefCntPtr<const VisualPresModel> visual = MakeRefCnt<VisualPresModel>();
  EXPECT_EQ(test::TraceOf(visual), test::OutputOf(visual));  // no capture, no replay
  EXPECT_TRUE(visual->GetSerializedVal().empty());
}

TEST(Scene, ValueStructuresTravelAsStructuresOfTheirOwn) {
  auto element = MakeRefCnt<SceneElementPresModel>();
  element->SetPaneId(PaneId(2, 3));
  const RefCntPtr<const SceneElementPresModel> copy = MakeRefCnt<SceneElementPresModel>(*element);  // before a write
  auto marks = MakeRefCnt<PDMarksPresModel>();
  marks->AddEncoding(u"color", DataColumn(u"[Sales]", {u"1", u"2"}));
  marks->AddEncoding(u"size", DataColumn());
  const auto out = test::OutputOf(RefCntPtr<const SceneElementPresModel>(element));
  const auto at = std::find(out.begin(), out.end(), "Begin SubStructure 0xd62da8b6");
  ASSERT_NE(at, out.end());
  EXPECT_EQ(*(at + 1), "Parameter 0xd6fe0101 2");
  EXPECT_EQ(test::ThroughText(copy)->GetPaneId(), PaneId(2, 3));
  const auto read = test::ThroughText(marks);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetEncodings(), marks->GetEncodings());
}

// ---- images

TEST(Images, ImagesTravelAsTextAndBack) {
  QImage image(3, 2, QImage::Format_ARGB32);
  image.fill(qRgba(200, 100, 50, 128));
  image.setPixel(1, 1, qRgba(0, 0, 255, 255));
  auto shape = MakeRefCnt<MarkShapePresModel>();
  shape->SetImage(image);
  auto dictionary = MakeRefCnt<ImageDictionaryPresModel>();
  dictionary->AddImage(u"a", image);
  dictionary->AddImage(u"none", QImage());
  EXPECT_EQ(test::ThroughText(shape)->GetImage(), image);
  const auto read = test::ThroughText(dictionary);
  EXPECT_EQ(read->GetImage(u"a"), image);
  EXPECT_TRUE(read->GetImage(u"none").isNull());
  EXPECT_TRUE(ValueText<QImage>::ToString(QImage()).IsEmpty());
}

// Texts of recent images are kept for images equal to them; a changed image, or one changed
// after it was read, must never take a kept text or image.
TEST(Images, KeptTextsAndImagesNeverStandForChangedOnes) {
  std::vector<QImage> images;
  for (int i = 0; i < 20; ++i) {  // more than are kept
    QImage image(2, 1 + i % 3, QImage::Format_ARGB32);
    image.fill(qRgba(i, 2 * i, 3 * i, 255));
    images.push_back(image);
  }
  for (int round = 0; round < 2; ++round)
    for (const QImage& image : images) {
      QImage changed = image;
      changed.setPixel(0, 0, qRgba(255, 255, 255, 0));
      const TString text = ValueText<QImage>::ToString(image), changedText = ValueText<QImage>::ToString(changed);
      ASSERT_NE(text, changedText);
      QImage read = ValueText<QImage>::FromString(text);
      EXPECT_EQ(read, image);
      read.setPixel(0, 0, qRgba(9, 9, 9, 9));
      EXPECT_EQ(ValueText<QImage>::FromString(text), image);
      EXPECT_EQ(ValueText<QImage>::FromString(changedText), changed);
    }
}

TEST(Images, TextThatIsNoImageIsRefused) {
  for (const char16_t* text : {u"not base64!", u"aGVsbG8="})  // the second is base64 of "hello"
    EXPECT_THROW(ValueText<QImage>::FromString(TString(text)), ValueTextException) << TString(text).ToUtf8();
}

TEST(Images, PixmapsTravelBesideAGuiApplication) {
  ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
  QImage image(2, 2, QImage::Format_ARGB32);
  image.fill(qRgba(1, 2, 3, 255));
  const QPixmap pixmap = QPixmap::fromImage(image);
  const QPixmap read = ValueText<QPixmap>::FromString(ValueText<QPixmap>::ToString(pixmap));
  EXPECT_EQ(read.toImage().convertToFormat(QImage::Format_ARGB32), image);
  EXPECT_TRUE(ValueText<QPixmap>::FromString(TString()).isNull());
}

}  // namespace
