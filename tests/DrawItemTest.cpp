// Draw items and render nodes: each travels as the class its Type names, through the kind
// map of its family's root.

#include <algorithm>
#include <typeindex>

#include "TestSupport.h"
#include "models/RenderModels.h"
#include "models/VisualModels.h"
#include "presentation-model/SimpleTypesPresModelHelpers.h"

namespace {

constexpr std::uint32_t kTypeId = 0xd6a06861;
constexpr std::uint32_t kDrawItemsId = 0xd61a3307, kDrawItemId = 0xd6f5a8dd;
constexpr std::uint32_t kCoordsId = 0xd60af4cf, kPathCoordsId = 0xd6400859;
constexpr std::uint32_t kPathAlias = 0xd61875a2, kPointListType = 0xd6bcd49a;
constexpr std::uint32_t kUnregistered = 0xd6fe01ff;  // no serializer is registered for it

template <typename M>
using Ser = StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>;
using ItemPtr = RefCntPtr<const DrawItemPresModel>;

std::string TypeLine(std::uint32_t type) {
  test::Registry();  // the names of type values
  return test::Param(kTypeId, ValueText<DocParameterID>::ToString(DocParameterID{type}).ToUtf8());
}

template <typename M>
RefCntPtr<M> Kind(std::uint32_t type) {
  auto m = MakeRefCnt<M>();
  m->SetType(DocParameterID{type});
  return m;
}

template <typename M>
RefCntPtr<M> WithCoords(RefCntPtr<M> points) {
  points->SetCoords({1, 2, 3, 4});
  return points;
}

// What the item's scope of a one-item draw list holds.
std::vector<std::string> AsListItem(const ItemPtr& item) {
  auto list = MakeRefCnt<VisualListPresModel>();
  list->AddDrawItem(item);
  const auto out = test::OutputOf(RefCntPtr<const VisualListPresModel>(list));
  auto first = std::find(out.begin(), out.end(), "Begin SubStructure " + test::Hex(kDrawItemId));
  EXPECT_NE(first, out.end());
  int depth = 0;
  auto last = first + 1;
  for (; last != out.end(); ++last) {
    if (last->rfind("Begin", 0) == 0) ++depth;
    if (*last == "End" && depth-- == 0) break;
  }
  return std::vector<std::string>(first + 1, last);
}

// The item as the one item of a group's draw list, written as text and read back.
ItemPtr ReadBackOne(const ItemPtr& item) {
  auto group = MakeRefCnt<DrawGroupPresModel>();
  group->SetDrawItems({item});
  const auto read = test::ThroughText(group);
  if (!read) {
    ADD_FAILURE() << "no group read back";
    return ItemPtr();
  }
  const auto& items = read->GetDrawItems();
  return items.size() == 1 ? items[0] : ItemPtr();
}

// ---- the kind map

struct KindCase {
  const char* name;
  ItemPtr (*make)();
  std::vector<std::uint32_t> writes;  // parameters after the type parameter, in order
  std::type_index readsAs;
  std::uint32_t type;
  bool settles = true;  // the item read back writes what was written
};

const KindCase kKinds[] = {
    {"the path kind's second value",
     [] {
       auto p = Kind<DrawPathPresModel>(kPathAlias);
       p->SetCoords({1.5f});
       return ItemPtr(p);
     },
     {0xd6d721ce, kPathCoordsId, 0xd659081a}, typeid(DrawPathPresModel), kPathAlias},
    {"kinds without members of their own (1)", [] { return ItemPtr(Kind<DrawItemPresModel>(0xd657e578)); }, {},
     typeid(DrawItemPresModel), 0xd657e578},
    {"kinds without members of their own (2)", [] { return ItemPtr(Kind<DrawItemPresModel>(0xd6df1d5c)); }, {},
     typeid(DrawItemPresModel), 0xd6df1d5c},
    {"kinds without members of their own (3)", [] { return ItemPtr(Kind<DrawItemPresModel>(0xd6eae92c)); }, {},
     typeid(DrawItemPresModel), 0xd6eae92c},
    {"a point list of a value nothing is registered for",
     [] { return ItemPtr(WithCoords(Kind<DrawPointsPresModel>(kUnregistered))); }, {kCoordsId},
     typeid(DrawPointsPresModel), kUnregistered},
    {"another value on a class that is no point list",
     [] { return ItemPtr(Kind<DrawTextPresModel>(kUnregistered)); }, {}, typeid(DrawPointsPresModel), kUnregistered,
     false},
    {"the clip rectangle: viewed as a point list, read as itself",
     [] { return ItemPtr(WithCoords(MakeRefCnt<ClipRectPresModel>())); }, {kCoordsId}, typeid(ClipRectPresModel),
     0xd675901c},
    {"the fill rectangle: viewed as a point list, read as itself",
     [] { return ItemPtr(WithCoords(MakeRefCnt<DrawFillRectPresModel>())); }, {kCoordsId},
     typeid(DrawFillRectPresModel), 0xd651a0c0},
    {"a point list whose value names the clip rectangle",
     [] { return ItemPtr(WithCoords(Kind<DrawPointsPresModel>(0xd675901c))); }, {kCoordsId},
     typeid(ClipRectPresModel), 0xd675901c},
    {"the polyline carries the point-list value",
     [] { return ItemPtr(WithCoords(MakeRefCnt<DrawPolylinePresModel>())); }, {kCoordsId},
     typeid(DrawPointsPresModel), kPointListType},
    {"a kind that names another class", [] { return ItemPtr(Kind<DrawTextPresModel>(0xd60d17fb)); }, {},
     typeid(DrawGroupPresModel), 0xd60d17fb, false},
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class KindMap : public testing::TestWithParam<KindCase> {};

TEST_P(KindMap, WritesTheViewAndReadsTheClassItsValueNames) {
  const KindCase& c = GetParam();
  const auto out = AsListItem(c.make());
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out[0], TypeLine(c.type));
  std::vector<std::uint32_t> written;
  for (std::size_t i = 1; i < out.size(); ++i) {
    if (out[i] == "End") continue;
    const auto at = out[i].find("0x");
    if (at != std::string::npos && (out[i].rfind("Parameter", 0) == 0 || out[i].rfind("Begin", 0) == 0))
      written.push_back(static_cast<std::uint32_t>(std::stoul(out[i].substr(at, 10), nullptr, 16)));
  }
  EXPECT_EQ(written, c.writes);

  const ItemPtr read = ReadBackOne(c.make());  // a fresh item: a model's recorded text stays with its cursor kind
  ASSERT_TRUE(read);
  EXPECT_EQ(std::type_index(typeid(*read)), c.readsAs);
  EXPECT_EQ(static_cast<std::uint32_t>(read->GetType()), c.type);
  if (c.settles) {
    EXPECT_EQ(AsListItem(read), out);
  }
}

INSTANTIATE_TEST_SUITE_P(DrawItems, KindMap, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<KindCase>& info) { return "case" + std::to_string(info.index); });

TEST(DrawItems, AnItemWrittenThroughItsOwnSerializerWritesWhatTheRootWrites) {
  auto pen = MakeRefCnt<DrawPenPresModel>();
  pen->SetStrokeWidth(2.0f);
  auto clip = WithCoords(MakeRefCnt<ClipRectPresModel>());
  EXPECT_EQ(test::OutputOf(RefCntPtr<const DrawPenPresModel>(MakeRefCnt<DrawPenPresModel>(*pen))),
            AsListItem(MakeRefCnt<DrawPenPresModel>(*pen)));
  EXPECT_EQ(test::OutputOf(RefCntPtr<const ClipRectPresModel>(MakeRefCnt<ClipRectPresModel>(*clip))),
            AsListItem(MakeRefCnt<ClipRectPresModel>(*clip)));
}

TEST(DrawItems, TheRectanglesTakeThePointListHolderOnly) {
  TraceCursor cursor(test::Registry());
  const IStructureSerializer* clip = cursor.GetStructureSerializer(0xd675901c);
  ASSERT_NE(clip, nullptr);
  // A point-list holder, of a clip rectangle or of a plain point list: written as a point list.
  for (RefCntPtr<DrawPointsPresModel> points : {RefCntPtr<DrawPointsPresModel>(MakeRefCnt<ClipRectPresModel>()),
                                                MakeRefCnt<DrawPointsPresModel>()}) {
    points->SetCellID(7);
    TraceCursor out(test::Registry());
    clip->SerializeParameter(test::Val(RefCntPtr<const DrawPointsPresModel>(points)), 0xd675901c, out, true);
    EXPECT_EQ(out.Output()[0], "Begin SubStructure 0xd675901c");
    EXPECT_TRUE(test::WritesId(out.Output(), 0xd6aa7854));
    EXPECT_EQ(out.OpenScopes(), 0);
  }
  test::ExpectTypeMismatch([&] {
    clip->SerializeParameter(test::Val(RefCntPtr<const DrawTextPresModel>(MakeRefCnt<DrawTextPresModel>())),
                             0xd675901c, cursor, false);
  });
  test::ExpectTypeMismatch([&] {
    clip->SerializeParameter(test::Val(RefCntPtr<const DrawItemPresModel>(MakeRefCnt<ClipRectPresModel>())),
                             0xd675901c, cursor, false);
  });
  test::ExpectNullPointerAssertion([&] {
    clip->SerializeParameter(test::Val(RefCntPtr<const DrawPointsPresModel>()), 0xd675901c, cursor, false);
  });
}

TEST(DrawItems, ConstructorsSetTheirKind) {
  EXPECT_EQ(static_cast<std::uint32_t>(MakeRefCnt<DrawItemPresModel>()->GetType()), 0u);
  EXPECT_EQ(static_cast<std::uint32_t>(MakeRefCnt<DrawPolylinePresModel>()->GetType()), kPointListType);
  EXPECT_EQ(static_cast<std::uint32_t>(MakeRefCnt<PredictionIntervalPresModel>()->GetType()), 0u);
  for (ModelInfoGetter get : RenderFamilyModels()) {
    const ModelInfo& info = get();
    if (!info.typeId || !info.base) continue;
    const RefCntPtr<PresentationModel> m = info.create();
    const auto* item = dynamic_cast<const DrawItemPresModel*>(m.get());
    const auto* node = dynamic_cast<const RenderNodePresModel*>(m.get());
    const auto type = static_cast<std::uint32_t>(item ? item->GetType() : node->GetType());
    EXPECT_EQ(type, info.typeId) << info.name;
  }
}

// ---- what a kind leaves out

TEST(DrawItems, KindsLeaveOutMembersAtTheirOmissionValues) {
  const std::string black = "Parameter 0xd68c29a5 " + ValueText<ColorObject>::ToString(ColorObject()).ToUtf8();
  const struct {
    const char* name;
    ItemPtr item;
    std::vector<std::string> writes;  // after the type parameter
  } cases[] = {
      {"a default group: an empty draw list only", MakeRefCnt<DrawGroupPresModel>(),
       {"Begin ListStructure " + test::Hex(kDrawItemsId), "End"}},
      {"a pen of width 1 and pattern 1: its colour only", MakeRefCnt<DrawPenPresModel>(), {black}},
      {"a pen of another width",
       [] {
         auto pen = MakeRefCnt<DrawPenPresModel>();
         pen->SetStrokeWidth(2.0f);
         return ItemPtr(pen);
       }(),
       {black, "Parameter 0xd6626c3d 2"}},
      {"a point list used for overlay hit tests", MakeRefCnt<DrawPointsPresModel>(),
       {"Begin ListStructure " + test::Hex(kCoordsId), "End"}},
      {"a point list not used for overlay hit tests",
       [] {
         auto points = MakeRefCnt<DrawPointsPresModel>();
         points->SetUseForOverlayHitTest(false);
         return ItemPtr(points);
       }(),
       {"Begin ListStructure " + test::Hex(kCoordsId), "End", "Parameter 0xd6eeb170 false"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> expected{TypeLine(static_cast<std::uint32_t>(c.item->GetType()))};
    expected.insert(expected.end(), c.writes.begin(), c.writes.end());
    EXPECT_EQ(AsListItem(c.item), expected) << c.name;
  }
}

// ---- annotations

struct AnnotationCase {
  AnnotateEnum annotation;
  std::vector<std::uint32_t> written;  // of the nine annotation members, in write order
};

const std::uint32_t kAnnotationIds[] = {0xd6edc3b9, 0xd675f56b, 0xd6e2834b, 0xd6439e5a, 0xd6717bfd,
                                        0xd68e687f, 0xd6301f3a, 0xd69da10f, 0xd666bb37};

TEST(DrawGroups, AnnotationMembersFollowTheAnnotationKind) {
  const AnnotationCase cases[] = {
      {AnnotateEnum::Area, {}},
      {AnnotateEnum::Point, {0xd675f56b, 0xd6439e5a, 0xd6717bfd, 0xd68e687f}},
      {AnnotateEnum::Mark, std::vector<std::uint32_t>(std::begin(kAnnotationIds), std::end(kAnnotationIds))},
  };
  for (const AnnotationCase& c : cases) {
    auto group = MakeRefCnt<DrawGroupPresModel>();
    group->SetAnnotation(c.annotation);
    const auto out = test::OutputOf(RefCntPtr<const DrawGroupPresModel>(group));
    std::vector<std::uint32_t> written;
    for (std::uint32_t id : kAnnotationIds)
      if (test::WritesId(out, id)) written.push_back(id);
    EXPECT_EQ(written, c.written) << static_cast<int>(c.annotation);
  }
}

TEST(DrawGroups, ANestedGroupIsWrittenWithItsOwnTypeAndMembers) {
  auto inner = MakeRefCnt<DrawGroupPresModel>();
  inner->SetExtentsX(5);
  auto outer = MakeRefCnt<DrawGroupPresModel>();
  outer->AddDrawItem(inner);
  const auto out = test::OutputOf(RefCntPtr<const DrawGroupPresModel>(outer));
  EXPECT_EQ(std::count(out.begin(), out.end(), TypeLine(0xd60d17fb)), 2);
  EXPECT_TRUE(std::find(out.begin(), out.end(), "Parameter 0xd62331f5 5") != out.end());
}

TEST(DrawGroups, FlagsAreRestoredWhenAnItemRaises) {
  auto brush = MakeRefCnt<DrawGradientBrushPresModel>();  // Point1 and Point2 are written always
  auto group = MakeRefCnt<DrawGroupPresModel>();
  group->AddDrawItem(brush);
  TraceCursor cursor(test::Registry());
  test::ExpectNullPointerAssertion([&] { Ser<DrawItemPresModel>::SerializeObj(group, cursor); });
  EXPECT_EQ(cursor.OpenScopes(), 0);
  for (const DrawItemPresModel* m : {static_cast<const DrawItemPresModel*>(group.get()),
                                     static_cast<const DrawItemPresModel*>(brush.get())})
    EXPECT_FALSE(m->GetSerializing());
  EXPECT_FALSE(group->GetIsSerializingDrawGroupPresModel());
  EXPECT_FALSE(brush->GetIsSerializingDrawGradientBrushPresModel());
  EXPECT_TRUE(group->GetSerializedVal().empty());

  brush->SetPoint1(SimpleTypesPresModelHelpers::BuildPointPresModel(1, 2));
  brush->SetPoint2(SimpleTypesPresModelHelpers::BuildPointPresModel(3, 4));
  const auto out = test::OutputOf(RefCntPtr<const DrawItemPresModel>(group));
  EXPECT_EQ(out.front(), TypeLine(0xd60d17fb));
  EXPECT_TRUE(test::WritesId(out, 0xd64291ef));
}

// ---- a whole render tree

RefCntPtr<PredictionIntervalPresModel> Interval(RefCntPtr<PredictionIntervalPresModel> node) {
  node->SetUseYAxis(true);
  node->SetUpperEnds({1.0f, 2.0f});
  node->SetTupleIDs({3});
  return node;
}

std::vector<ItemPtr> OneOfEveryKind() {
  auto group = MakeRefCnt<DrawGroupPresModel>();
  group->SetAnnotation(AnnotateEnum::Mark);
  group->AddDrawItem(MakeRefCnt<DrawAntialiasPresModel>());
  auto gradient = MakeRefCnt<DrawGradientBrushPresModel>();
  gradient->SetPoint1(SimpleTypesPresModelHelpers::BuildPointPresModel(0, 0));
  gradient->SetPoint2(SimpleTypesPresModelHelpers::BuildPointPresModel(9, 9));
  gradient->SetColor2(ColorObject(1, 2, 3));
  auto image = MakeRefCnt<DrawImagePresModel>();
  QImage pixels(2, 1, QImage::Format_ARGB32);
  pixels.fill(qRgba(10, 20, 30, 40));
  image->SetImage(pixels);
  image->SetAlpha(0.5f);
  auto tiles = MakeRefCnt<DrawImageTilesPresModel>();
  auto tile = MakeRefCnt<ImageTileInfoPresModel>();
  tile->SetTileUrl(u"t/1");
  tiles->AddImageTileInfo(tile);
  auto path = MakeRefCnt<DrawPathPresModel>();
  path->SetElements({PathElement::Moveto, PathElement::Curveto});
  auto pen = MakeRefCnt<DrawPenPresModel>();
  pen->SetLineCap(static_cast<LineCap>(2));
  auto solid = MakeRefCnt<DrawSolidBrushPresModel>();
  solid->SetColor(ColorObject(4, 5, 6));
  auto text = MakeRefCnt<DrawTextPresModel>();
  text->SetText(u"label");
  auto props = MakeRefCnt<DrawTextPropertiesPresModel>();
  props->SetBold(true);
  auto transform = MakeRefCnt<DrawTransformPresModel>();
  transform->SetAngle(90.0f);
  auto points = WithCoords(MakeRefCnt<DrawPointsPresModel>());
  points->SetUseForOverlayHitTest(false);
  return {group, gradient, image, tiles, path, pen, solid, text, props, transform, points,
          WithCoords(MakeRefCnt<ClipRectPresModel>()), WithCoords(MakeRefCnt<DrawFillRectPresModel>()),
          WithCoords(MakeRefCnt<DrawPolylinePresModel>()), Kind<DrawItemPresModel>(0xd657e578)};
}

TEST(RenderTree, EveryKindComesBackAsItsOwnClassThroughText) {
  auto list = MakeRefCnt<VisualListPresModel>();
  list->SetDrawItems(OneOfEveryKind());
  auto pane = MakeRefCnt<PanePresModel>();
  pane->SetRowAndColumnAndLayer(MakeRefCnt<RowAndColumnAndLayerPresModel>());
  pane->SetRect(SimpleTypesPresModelHelpers::RectPresModelFromRect(QRect(0, 0, 10, 10)));
  pane->AddDrawPane(list);
  pane->AddRenderNode(Interval(MakeRefCnt<PredictionBandPresModel>()));
  pane->AddRenderNode(Interval(MakeRefCnt<PredictionWhiskerPresModel>()));
  pane->AddRenderNode(Interval(MakeRefCnt<PredictionIntervalPresModel>()));
  auto scene = MakeRefCnt<ScenePresModel>();
  scene->AddPane(pane);

  const auto read = test::ThroughTextSettled(scene);
  ASSERT_TRUE(read);
  const auto& readPane = read->GetPane(0);
  const auto& items = readPane->GetDrawPane(0)->GetDrawItems();
  const auto& written = list->GetDrawItems();
  ASSERT_EQ(items.size(), written.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    // A polyline is a point list on the wire.
    const std::type_index expected = typeid(*written[i]) == typeid(DrawPolylinePresModel)
                                         ? std::type_index(typeid(DrawPointsPresModel))
                                         : std::type_index(typeid(*written[i]));
    EXPECT_EQ(std::type_index(typeid(*items[i])), expected) << i;
  }
  const auto& group = dynamic_cast<const DrawGroupPresModel&>(*items[0]);
  ASSERT_EQ(group.GetDrawItemCount(), 1u);
  EXPECT_NE(dynamic_cast<const DrawAntialiasPresModel*>(group.GetDrawItem(0).get()), nullptr);
  EXPECT_EQ(dynamic_cast<const DrawImagePresModel&>(*items[2]).GetImage(),
            dynamic_cast<const DrawImagePresModel&>(*written[2]).GetImage());

  const auto& nodes = readPane->GetRenderNodes();
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_EQ(std::type_index(typeid(*nodes[0])), std::type_index(typeid(PredictionBandPresModel)));
  EXPECT_EQ(std::type_index(typeid(*nodes[1])), std::type_index(typeid(PredictionWhiskerPresModel)));
  EXPECT_EQ(std::type_index(typeid(*nodes[2])), std::type_index(typeid(RenderNodePresModel)))
      << "an interval names no kind: read as the root";
  EXPECT_TRUE(dynamic_cast<const PredictionWhiskerPresModel&>(*nodes[1]).GetUseYAxis());
}

}  // namespace
