// Geometry models and their conversions to and from the graphics types; the page
// arithmetic of a page cache.

#include <cmath>

#include "TestSupport.h"
#include "models/PageCacheModels.h"
#include "presentation-model/SimpleTypesPresModelHelpers.h"

namespace {

using namespace SimpleTypesPresModelHelpers;

RectPM Rect(int l, int t, int w, int h) { return RectPresModelFromRect(QRect(l, t, w, h)); }
DoubleRectPM DRect(double l, double t, double w, double h) { return RectPresModelFromRect(QRectF(l, t, w, h)); }
CirclePM Circle(int x, int y, int r) { return BuildCirclePresModel(x, y, r); }
FloatCirclePM FCircle(float x, float y, float r) { return BuildFloatCirclePresModel(x, y, r); }
PointPM Point(int x, int y) { return BuildPointPresModel(x, y); }
FloatPointPM FPoint(float x, float y) { return BuildFloatPointPresModel(x, y); }
SizePM Size(int w, int h) { return BuildSizePresModel(w, h); }

CirclePM CircleWithoutCentre(int r) {
  auto c = MakeRefCnt<CirclePresModel>();
  c->SetCenter(nullptr);
  c->SetRadius(r);
  return c;
}

// A statement about the helpers and whether it holds.
struct Claim {
  const char* what;
  bool holds;
};

void ExpectAll(std::initializer_list<Claim> claims) {
  for (const Claim& c : claims) EXPECT_TRUE(c.holds) << c.what;
}

TEST(Geometry, CirclesAreInscribedInSquaresOnly) {
  struct Case {
    QRect rect;
    bool circle;
    int radius;
    QPoint centre;
  };
  const Case cases[] = {
      {QRect(10, 20, 5, 5), true, 2, QPoint(12, 22)},
      {QRect(10, 20, 4, 5), false, 0, QPoint()},
      {QRect(0, 0, 6, 6), true, 3, QPoint(3, 3)},
      {QRect(3, 4, 0, 0), true, 0, QPoint(3, 4)},
      {QRect(10, 20, -5, -5), true, -2, QPoint(8, 18)},  // halved towards zero
  };
  for (const Case& c : cases) {
    const CirclePM circle = CirclePresModelFromRect(c.rect);
    ASSERT_EQ(circle != nullptr, c.circle) << c.rect.width() << "x" << c.rect.height();
    if (!circle) continue;
    EXPECT_EQ(circle->GetRadius(), c.radius);
    EXPECT_EQ(GetCenterPoint(circle), c.centre);
  }
}

TEST(Geometry, BoundingRectanglesAndCentres) {
  struct Case {
    const char* what;
    QRectF actual, expected;
  };
  const Case rects[] = {
      {"circle of radius -3", BoundingQRectFromPresModel(Circle(10, 10, -3)), QRect(7, 7, 6, 6)},
      {"circle of radius 3", BoundingQRectFromPresModel(Circle(10, 10, 3)), QRect(7, 7, 6, 6)},
      {"circle without centre", BoundingQRectFromPresModel(CircleWithoutCentre(2)), QRect(-2, -2, 4, 4)},
      {"no circle", BoundingQRectFromPresModel(CirclePM()), QRect()},
      {"rectangle", BoundingQRectFromPresModel(Rect(1, 2, 3, 4)), QRect(1, 2, 3, 4)},
      {"no rectangle", BoundingQRectFromPresModel(RectPM()), QRect()},
      {"double rectangle aligned", BoundingQRectFromPresModel(DRect(0.5, 0.5, 1.0, 1.0)), QRect(0, 0, 2, 2)},
      {"no double rectangle", BoundingQRectFromPresModel(DoubleRectPM()), QRect()},
  };
  for (const Case& c : rects) EXPECT_EQ(c.actual, c.expected) << c.what;

  struct Centre {
    const char* what;
    QPointF actual, expected;
  };
  const Centre centres[] = {
      {"negative size, halves towards zero", GetCenterPoint(Rect(0, 0, -3, -3)), QPoint(-1, -1)},
      {"odd size", GetCenterPoint(Rect(1, 1, 5, 7)), QPoint(3, 4)},
      {"no rectangle", GetCenterPoint(RectPM()), QPoint(0, 0)},
      {"double rectangle", GetCenterPoint(DRect(1, 0, 5, 7)), QPointF(3.5, 3.5)},
      {"no double rectangle", GetCenterPoint(DoubleRectPM()), QPointF(0, 0)},
      {"circle", GetCenterPoint(Circle(4, -5, 9)), QPoint(4, -5)},
      {"circle without centre", GetCenterPoint(CircleWithoutCentre(9)), QPoint(0, 0)},
      {"no circle", GetCenterPoint(CirclePM()), QPoint(0, 0)},
  };
  for (const Centre& c : centres) EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(Geometry, ConversionsToAndFromTheGraphicsValues) {
  const TRect edges = TRectFromRectPM(Rect(1, 2, 3, 4));
  const RectPM back = RectPresModelFromRect(edges);
  const RectPM inclusive = RectPresModelFromRect(QRect(QPoint(1, 2), QPoint(4, 6)));
  const QRectF fractional(0.25, -1.5, 2.75, 3.0);
  ExpectAll({
      {"edges of (1, 2) 3 x 4", edges == TRect(1, 2, 4, 6)},
      {"edge rectangle back: its own width", back->GetWidth() == edges.Width() && back->GetHeight() == edges.Height()},
      {"edge rectangle back: its corner", back->GetLeft() == 1 && back->GetTop() == 2},
      {"Qt's inclusive rectangle is one wider and taller",
       inclusive->GetWidth() == 4 && inclusive->GetHeight() == 5},
      {"Qt rectangle", QRectFromRectPM(Rect(1, 2, 3, 4)) == QRect(1, 2, 3, 4)},
      {"Qt double rectangle", QRectFromRectPM(RectPresModelFromRect(fractional)) == fractional},
      {"Qt point", QPointFromPointPresModel(PointPresModelFromPoint(QPoint(4, -5))) == QPoint(4, -5)},
      {"core point", TPointFromPointPresModel(PointPresModelFromPoint(TPoint(4, -5))) == TPoint(4, -5)},
      {"core size", TSizeFromSizePM(SizePresModelFromSize(TSize(6, 7))) == TSize(6, 7)},
      {"double point narrowed to float", PointPresModelFromPoint(QPointF(0.1, 2.5))->GetX() == 0.1f},
      {"no point: origin", QPointFromPointPresModel(nullptr) == QPoint(0, 0)},
      {"no point: core origin", TPointFromPointPresModel(nullptr) == TPoint()},
      {"no size", TSizeFromSizePM(nullptr) == TSize()},
      {"no rectangle: null Qt rectangle", QRectFromRectPM(RectPM()).isNull()},
      {"no double rectangle", QRectFromRectPM(DoubleRectPM()) == QRectF()},
      {"no rectangle: empty edges", TRectFromRectPM(RectPM()) == TRect()},
  });
  const FloatCirclePM circle = FCircle(1.5f, 2.5f, 3.5f);
  EXPECT_TRUE(PointsEqual(circle->GetCenter(), FPoint(1.5f, 2.5f)) && circle->GetRadius() == 3.5f);
}

TEST(Geometry, PathsRunThroughThePointsAndCloseTheirSubpath) {
  const QPainterPath one = PathFromPoints({Point(3, 4)});
  ASSERT_EQ(one.elementCount(), 1);  // a move, nothing to draw back to
  EXPECT_TRUE(one.elementAt(0).isMoveTo());
  EXPECT_EQ(QPointF(one.elementAt(0)), QPointF(3, 4));

  const QPainterPath three = PathFromPoints({Point(1, 1), nullptr, Point(5, 0)});
  ASSERT_EQ(three.elementCount(), 4);  // move, two lines, and the closing line back
  const QPointF expected[] = {{1, 1}, {0, 0}, {5, 0}, {1, 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(three.elementAt(i).isMoveTo(), i == 0) << i;
    EXPECT_EQ(QPointF(three.elementAt(i)), expected[i]) << i;  // the null point is the origin
  }
  EXPECT_TRUE(PathFromPoints({}).isEmpty());
  for (const QPainterPath& p : {one, three, PathFromPoints({})}) EXPECT_EQ(p.fillRule(), Qt::WindingFill);
}

TEST(Geometry, ComparisonsHandleNullsAndDecideByEveryField) {
  const PointPM p = Point(1, 2);
  const FloatPointPM nan = FPoint(std::nanf(""), 0);
  const CirclePM noCentre = CircleWithoutCentre(3);
  ExpectAll({
      {"two null points", PointsEqual(PointPM(), PointPM())},
      {"null and a point", !PointsEqual(PointPM(), p)},
      {"points of equal fields", PointsEqual(p, Point(1, 2))},
      {"points differing in X", !PointsEqual(p, Point(0, 2))},
      {"points differing in Y", !PointsEqual(p, Point(1, 3))},
      {"the same NaN point", PointsEqual(nan, nan)},
      {"two NaN points", !PointsEqual(nan, FPoint(std::nanf(""), 0))},
      {"sizes of equal fields", SizesEqual(Size(2, 3), SizePresModelFromSize(TSize(2, 3)))},
      {"sizes differing in height", !SizesEqual(Size(2, 3), Size(2, 4))},
      {"rectangles differing in left", !RectsEqual(Rect(0, 1, 2, 3), Rect(9, 1, 2, 3))},
      {"rectangles differing in height", !RectsEqual(Rect(0, 1, 2, 3), Rect(0, 1, 2, 9))},
      {"rectangles of equal fields", RectsEqual(Rect(0, 1, 2, 3), Rect(0, 1, 2, 3))},
      {"double rectangles of equal fields", RectsEqual(DRect(0, 0, 1, 1), DRect(0, 0, 1, 1))},
      {"double rectangles with NaN", !RectsEqual(DRect(0, 0, 1, std::nan("")), DRect(0, 0, 1, std::nan("")))},
      {"circles of equal fields", CirclesEqual(Circle(1, 2, 3), Circle(1, 2, 3))},
      {"circles differing in radius", !CirclesEqual(Circle(1, 2, 3), Circle(1, 2, 4))},
      {"circles differing in centre", !CirclesEqual(Circle(1, 2, 3), Circle(2, 2, 3))},
      {"circles both without centre", CirclesEqual(noCentre, CircleWithoutCentre(3))},
      {"a circle without centre and one at the origin", !CirclesEqual(noCentre, Circle(0, 0, 3))},
      {"null and a circle", !CirclesEqual(CirclePM(), Circle(0, 0, 0))},
      {"float circles differing in radius", !CirclesEqual(FCircle(1, 2, 3), FCircle(1, 2, 3.5f))},
      {"float circles with a NaN radius", !CirclesEqual(FCircle(1, 2, std::nanf("")), FCircle(1, 2, std::nanf("")))},
  });
}

TEST(Geometry, Emptiness) {
  ExpectAll({
      {"no circle", IsEmpty(CirclePM())},
      {"radius 0", IsEmpty(Circle(1, 1, 0))},
      {"radius -1", !IsEmpty(Circle(1, 1, -1))},
      {"no rectangle", IsEmpty(RectPM())},
      {"width 0", IsEmpty(Rect(0, 0, 0, 5))},
      {"negative width", !IsEmpty(Rect(0, 0, -1, 5))},
      {"double width 0", IsEmpty(DRect(0, 0, 0, std::nan("")))},
      {"double height 0", IsEmpty(DRect(0, 0, 1, 0))},
      {"NaN height", !IsEmpty(DRect(0, 0, 1, std::nan("")))},
      {"NaN width", !IsEmpty(DRect(0, 0, std::nan(""), 1))},
  });
}

TEST(Geometry, ANewCircleHasACentreOfItsOwnAndOneWithoutCannotBeWritten) {
  const auto a = MakeRefCnt<CirclePresModel>(), b = MakeRefCnt<CirclePresModel>();
  ASSERT_NE(a->GetCenter(), nullptr);
  EXPECT_NE(a->GetCenter(), b->GetCenter());
  EXPECT_TRUE(PointsEqual(a->GetCenter(), Point(0, 0)));
  const auto f = MakeRefCnt<FloatCirclePresModel>();
  ASSERT_NE(f->GetCenter(), nullptr);
  EXPECT_TRUE(PointsEqual(f->GetCenter(), FPoint(0, 0)));
  test::ExpectNullPointerAssertion([] { test::OutputOf(CircleWithoutCentre(1)); });
}

TEST(PageCache, PagesOfRowsAndColumns) {
  struct Case {
    int pageCount;
    unsigned int index, page;
  };
  const Case cases[] = {
      {-1, 12345, 0},         {-1, 4294967295u, 0},   {100, 0, 0},  {100, 99, 0}, {100, 100, 1}, {100, 250, 2},
      {1, 7, 7},              {-2, 4000000000u, 0},   // -2 divides as 4294967294
      {-2, 4294967295u, 1},   {-100, 123456789, 0},   {0, 5, 0},  // 0: everything on page 0, no division
  };
  for (const Case& c : cases) {
    auto cache = MakeRefCnt<PageCacheIDPresModel>();
    cache->SetPageRowCount(c.pageCount);
    cache->SetPageColumnCount(c.pageCount);
    EXPECT_EQ(cache->CalculateCacheRow(c.index), c.page) << c.pageCount << " " << c.index;
    EXPECT_EQ(cache->CalculateCacheColumn(c.index), c.page) << c.pageCount << " " << c.index;
    EXPECT_EQ(cache->UsingAllRows(), c.pageCount == -1) << c.pageCount;
    EXPECT_EQ(cache->UsingAllColumns(), c.pageCount == -1) << c.pageCount;
  }
  auto rowsOnly = MakeRefCnt<PageCacheIDPresModel>();
  rowsOnly->SetPageRowCount(10);
  EXPECT_EQ(rowsOnly->CalculateCacheColumn(95), 0u);
  EXPECT_EQ(rowsOnly->CalculateCacheRow(95), 9u);
  EXPECT_FALSE(rowsOnly->UsingAllRows());
  EXPECT_TRUE(rowsOnly->UsingAllColumns());
}

TEST(PageCache, ANewCacheHoldsEverythingOnOnePageUnderAnIdentifierOfItsOwn) {
  const auto fresh = MakeRefCnt<PageCacheIDPresModel>();
  EXPECT_TRUE(fresh->UsingAllRows());
  EXPECT_TRUE(fresh->UsingAllColumns());
  EXPECT_EQ(fresh->CalculateCacheRow(12345), 0u);
  EXPECT_EQ(fresh->GetCacheTimeout(), std::chrono::seconds(5400));
  EXPECT_FALSE(fresh->GetCacheGuid().IsNull());
  EXPECT_NE(fresh->GetCacheGuid(), MakeRefCnt<PageCacheIDPresModel>()->GetCacheGuid());
  auto all = MakeRefCnt<PageCacheIDPresModel>();
  all->SetPageRowCount(7);
  all->SetPageRowCount(PageCacheIDPresModel::AllRows);
  all->SetPageColumnCount(PageCacheIDPresModel::AllColumns);
  EXPECT_TRUE(all->UsingAllRows() && all->UsingAllColumns());
}

}  // namespace
