// The visual and its scene: what their presence rules leave out, and the values of sibling
// libraries they carry (images, pane ids, data columns).

#include <QGuiApplication>
#include <algorithm>
#include <vector>

#include "TestSupport.h"
#include "models/VisualModels.h"
#include "presentation-model/SimpleTypesPresModelHelpers.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

using namespace SimpleTypesPresModelHelpers;

bool Writes(const std::vector<std::string>& out, const std::string& prefix) {
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

template <typename M>
RefCntPtr<const M> ReadBack(const RefCntPtr<const M>& model) {
  const WireReader reader(test::Registry());
  const RefCntPtr<IParameters> bag = reader.Read(JsonCursor::Write(test::Registry(), *model->AsIParameters()));
  const auto* held = HolderOf<RefCntPtr<const M>>(bag->GetParameter(M::ID));
  if (!held) return nullptr;
  return held->Value();
}

RefCntPtr<const CommandsPresModel> Commands(int n) {
  auto c = MakeRefCnt<CommandsPresModel>();
  for (int i = 0; i < n; ++i) c->AddCommand(u"show-me");
  return c;
}

// ---- members written only when not empty

struct EmptinessCase {
  const char* name;
  void (*set)(SortIndicatorItemPresModel&, PaneMarksPresModel&, VisualPresModel&);
  const char* line;  // in the item's, the pane marks' or the visual's write
  bool written;
};

const EmptinessCase kEmptiness[] = {
    {"null rectangle", [](auto&, auto&, auto&) {}, "Begin SubStructure 0xd63c4385", false},
    {"zero width",
     [](auto& i, auto&, auto&) { i.SetButtonRect(RectPresModelFromRect(QRect(1, 1, 0, 5))); },
     "Begin SubStructure 0xd63c4385", false},
    {"zero height",
     [](auto& i, auto&, auto&) { i.SetButtonRect(RectPresModelFromRect(QRect(1, 1, 5, 0))); },
     "Begin SubStructure 0xd63c4385", false},
    {"a rectangle with an extent",
     [](auto& i, auto&, auto&) { i.SetButtonRect(RectPresModelFromRect(QRect(1, 1, 5, 5))); },
     "Begin SubStructure 0xd63c4385", true},
    {"double rectangle of zero height",
     [](auto&, auto& p, auto&) { p.SetDomainExtents(RectPresModelFromRect(QRectF(0, 0, 2.5, 0))); },
     "Begin SubStructure 0xd69dcecd", false},
    {"double rectangle with an extent",
     [](auto&, auto& p, auto&) { p.SetDomainExtents(RectPresModelFromRect(QRectF(0, 0, 2.5, 0.5))); },
     "Begin SubStructure 0xd69dcecd", true},
    {"origin at (0, 0)", [](auto&, auto& p, auto&) { p.SetDomainOrigin(BuildFloatPointPresModel(0, 0)); },
     "Begin SubStructure 0xd61c5b86", false},
    {"origin off (0, 0) in y only",
     [](auto&, auto& p, auto&) { p.SetDomainOrigin(BuildFloatPointPresModel(0, -1)); },
     "Begin SubStructure 0xd61c5b86", true},
    {"command list without commands", [](auto&, auto&, auto& v) { v.SetShowMe(Commands(0)); },
     "Begin ListStructure 0xd69735df", false},
    {"command list with a command", [](auto&, auto&, auto& v) { v.SetShowMe(Commands(1)); },
     "Begin ListStructure 0xd69735df", true},
    {"zoom level at 100 left out", [](auto&, auto&, auto& v) { v.SetZoomLevel(100.0f); },
     "Parameter 0xd60c2ae2", false},
    {"zoom level at its start written", [](auto&, auto&, auto&) {}, "Parameter 0xd60c2ae2 0", true},
    {"empty identifier left out", [](auto&, auto&, auto&) {}, "Parameter 0xd691b63b", false},
};

void PrintTo(const EmptinessCase& c, std::ostream* os) { *os << c.name; }

class Emptiness : public testing::TestWithParam<EmptinessCase> {};

TEST_P(Emptiness, DecidesWhatIsWritten) {
  const EmptinessCase& c = GetParam();
  auto item = MakeRefCnt<SortIndicatorItemPresModel>();
  item->SetSortIndicatorState(MakeRefCnt<SortIndicatorStatePresModel>());
  auto marks = MakeRefCnt<PaneMarksPresModel>();
  auto visual = MakeRefCnt<VisualPresModel>();
  c.set(*item, *marks, *visual);
  std::vector<std::string> out = test::OutputOf(RefCntPtr<const SortIndicatorItemPresModel>(item));
  for (const auto& more : {test::OutputOf(RefCntPtr<const PaneMarksPresModel>(marks)),
                           test::OutputOf(RefCntPtr<const VisualPresModel>(visual))})
    out.insert(out.end(), more.begin(), more.end());
  EXPECT_EQ(Writes(out, c.line), c.written) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Scene, Emptiness, testing::ValuesIn(kEmptiness),
                         [](const testing::TestParamInfo<EmptinessCase>& info) {
                           return "case" + std::to_string(info.index);
                         });

TEST(Visual, ADefaultVisualWritesNoNestedModelAndIsWrittenAfresh) {
  const RefCntPtr<const VisualPresModel> visual = MakeRefCnt<VisualPresModel>();
  const auto out = test::OutputOf(visual);
  EXPECT_FALSE(Writes(out, "Begin SubStructure"));
  EXPECT_FALSE(Writes(out, "Begin ListStructure 0xd6000bb6"));  // empty axis regions: no scope
  EXPECT_TRUE(Writes(out, "Begin ListStructure 0xd660725b"));   // empty selections: a scope
  EXPECT_EQ(test::TraceOf(visual), out);                         // no capture, no replay
  EXPECT_TRUE(visual->GetSerializedVal().empty());
}

TEST(Scene, MarksOfAPrimitiveKind) {
  auto marks = MakeRefCnt<PDMarksPresModel>();
  marks->AddGeometry(u"POINT(1 2)");
  marks->SetLabelMode(static_cast<MarkLabelsMode>(1));
  auto out = test::OutputOf(RefCntPtr<const PDMarksPresModel>(MakeRefCnt<PDMarksPresModel>(*marks)));
  EXPECT_FALSE(Writes(out, "Begin ListStructure 0xd64d4193"));  // not a multipolygon
  EXPECT_FALSE(Writes(out, "Parameter 0xd6c568bf"));            // no labels shown
  marks->SetPrimitiveType(MarkLayout::Primitive::Multipolygon);
  marks->ClearGeometrys();
  marks->SetShowLabels(true);
  out = test::OutputOf(RefCntPtr<const PDMarksPresModel>(MakeRefCnt<PDMarksPresModel>(*marks)));
  EXPECT_TRUE(Writes(out, "Begin ListStructure 0xd64d4193"));  // even empty
  EXPECT_TRUE(Writes(out, "Parameter 0xd6c568bf"));
}

TEST(Scene, ElementsLeaveOutADetailIdWithAllBitsSet) {
  auto element = MakeRefCnt<SceneElementPresModel>();
  EXPECT_EQ(element->GetDetailId(), 0xffffffffu);
  EXPECT_FALSE(Writes(test::OutputOf(RefCntPtr<const SceneElementPresModel>(element)), "Parameter 0xd64ddd76"));
  auto zero = MakeRefCnt<SceneElementPresModel>();
  zero->SetDetailId(0);
  EXPECT_TRUE(Writes(test::OutputOf(RefCntPtr<const SceneElementPresModel>(zero)), "Parameter 0xd64ddd76 0"));
  auto page = MakeRefCnt<ScenePresModel>();
  const auto out = test::OutputOf(RefCntPtr<const ScenePresModel>(page));
  EXPECT_FALSE(Writes(out, "Parameter 0xd63c0ed1") || Writes(out, "Parameter 0xd69dedc8") ||
               Writes(out, "Begin MapStructure 0xd643af56"));
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
  EXPECT_EQ(ReadBack(copy)->GetPaneId(), PaneId(2, 3));
  const auto read = ReadBack(RefCntPtr<const PDMarksPresModel>(marks));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->GetEncodings(), marks->GetEncodings());
}

TEST(Presence, ADataValueIsWrittenOnlyWhenItHoldsOne) {
  auto holder = MakeRefCnt<HostValuesPresModel>();
  EXPECT_FALSE(Writes(test::OutputOf(RefCntPtr<const HostValuesPresModel>(holder)), "Parameter 0xd6ff0050"));
  holder = MakeRefCnt<HostValuesPresModel>();
  holder->SetValue(DataValue(false));
  EXPECT_TRUE(Writes(test::OutputOf(RefCntPtr<const HostValuesPresModel>(holder)), "Parameter 0xd6ff0050"));
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
  EXPECT_EQ(ReadBack(RefCntPtr<const MarkShapePresModel>(shape))->GetImage(), image);
  const auto read = ReadBack(RefCntPtr<const ImageDictionaryPresModel>(dictionary));
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
