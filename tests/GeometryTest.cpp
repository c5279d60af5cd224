// Geometry models and their conversions to and from the graphics types.

#include <algorithm>
#include <cmath>

#include "TestSupport.h"
#include "models/PageCacheModels.h"
#include "presentation-model/SimpleTypesPresModelHelpers.h"

namespace {

using namespace SimpleTypesPresModelHelpers;

RefCntPtr<const RectanglePresModel> Rect(int l, int t, int w, int h) { return RectPresModelFromRect(QRect(l, t, w, h)); }

RefCntPtr<const DoubleRectanglePresModel> DRect(double l, double t, double w, double h) {
  return RectPresModelFromRect(QRectF(l, t, w, h));
}

TEST(Geometry, CirclesFromSquaresOnly) {
  const auto c = CirclePresModelFromRect(QRect(10, 20, 5, 5));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetRadius(), 2);
  EXPECT_EQ(GetCenterPoint(RefCntPtr<const CirclePresModel>(c)), QPoint(12, 22));
  EXPECT_EQ(CirclePresModelFromRect(QRect(10, 20, 4, 5)), nullptr);
}

TEST(Geometry, BoundingRectanglesHavePositiveExtent) {
  const RefCntPtr<const CirclePresModel> negative = BuildCirclePresModel(10, 10, -3);
  const RefCntPtr<const CirclePresModel> positive = BuildCirclePresModel(10, 10, 3);
  EXPECT_EQ(BoundingQRectFromPresModel(negative), QRect(7, 7, 6, 6));
  EXPECT_EQ(BoundingQRectFromPresModel(positive), QRect(7, 7, 6, 6));
  auto noCentre = MakeRefCnt<CirclePresModel>();
  noCentre->SetCenter(nullptr);
  noCentre->SetRadius(2);
  EXPECT_EQ(BoundingQRectFromPresModel(RefCntPtr<const CirclePresModel>(noCentre)), QRect(-2, -2, 4, 4));
  EXPECT_EQ(BoundingQRectFromPresModel(CirclePM()), QRect());
  EXPECT_EQ(BoundingQRectFromPresModel(DRect(0.5, 0.5, 1.0, 1.0)), QRect(0, 0, 2, 2));
}

TEST(Geometry, CentresUseIntegerHalvesTowardZero) {
  EXPECT_EQ(GetCenterPoint(Rect(0, 0, -3, -3)), QPoint(-1, -1));
  EXPECT_EQ(GetCenterPoint(Rect(0, 0, 5, 7)), QPoint(2, 3));
  EXPECT_EQ(GetCenterPoint(DRect(0, 0, 5, 7)), QPointF(2.5, 3.5));
  EXPECT_EQ(GetCenterPoint(RectPM()), QPoint(0, 0));
}

TEST(Geometry, EdgeRectanglesAndQtRectanglesCountWidthDifferently) {
  const auto r = TRectFromRectPM(Rect(1, 2, 3, 4));
  EXPECT_EQ(r, TRect(1, 2, 4, 6));
  const auto back = RectPresModelFromRect(r);
  EXPECT_EQ(back->GetWidth(), r.Width());
  EXPECT_EQ(back->GetHeight(), r.Height());
  // Qt's rectangle from (1, 2) to (4, 6) inclusive is one wider and one taller.
  const auto q = RectPresModelFromRect(QRect(QPoint(1, 2), QPoint(4, 6)));
  EXPECT_EQ(q->GetWidth(), 4);
  EXPECT_EQ(q->GetHeight(), 5);
  EXPECT_EQ(QRectFromRectPM(Rect(1, 2, 3, 4)), QRect(1, 2, 3, 4));
  EXPECT_EQ(TRectFromRectPM(RectPM()), TRect());
}

TEST(Geometry, PathsCloseTheirSubpath) {
  const QPainterPath one = PathFromPoints({BuildPointPresModel(3, 4)});
  EXPECT_EQ(one.fillRule(), Qt::WindingFill);
  ASSERT_GE(one.elementCount(), 1);
  EXPECT_TRUE(one.elementAt(0).isMoveTo());
  for (int i = 1; i < one.elementCount(); ++i) EXPECT_EQ(QPointF(one.elementAt(i)), QPointF(3, 4));
  const QPainterPath three = PathFromPoints({BuildPointPresModel(1, 1), nullptr, BuildPointPresModel(5, 0)});
  EXPECT_EQ(three.elementCount(), 4);  // move, two lines, and the closing line back
  EXPECT_TRUE(three.elementAt(1).isLineTo());
  EXPECT_EQ(QPointF(three.elementAt(1)), QPointF(0, 0));  // the null point
  EXPECT_TRUE(PathFromPoints({}).isEmpty());
}

TEST(Geometry, ComparisonsHandleNullsAndNaN) {
  const PointPM p = BuildPointPresModel(1, 2);
  EXPECT_TRUE(PointsEqual(PointPM(), PointPM()));
  EXPECT_FALSE(PointsEqual(PointPM(), p));
  EXPECT_TRUE(PointsEqual(p, p));
  EXPECT_TRUE(PointsEqual(p, PointPM(BuildPointPresModel(1, 2))));
  EXPECT_FALSE(PointsEqual(p, PointPM(BuildPointPresModel(1, 3))));
  const FloatPointPM nanPoint = BuildFloatPointPresModel(std::nanf(""), 0);
  EXPECT_TRUE(PointsEqual(nanPoint, nanPoint));  // the same model
  EXPECT_FALSE(PointsEqual(nanPoint, FloatPointPM(BuildFloatPointPresModel(std::nanf(""), 0))));
  EXPECT_TRUE(CirclesEqual(CirclePM(BuildCirclePresModel(1, 2, 3)), CirclePM(BuildCirclePresModel(1, 2, 3))));
  EXPECT_FALSE(CirclesEqual(CirclePM(BuildCirclePresModel(1, 2, 3)), CirclePM(BuildCirclePresModel(1, 2, 4))));
  EXPECT_TRUE(RectsEqual(DRect(0, 0, 1, 1), DRect(0, 0, 1, 1)));
  EXPECT_TRUE(SizesEqual(SizePM(BuildSizePresModel(2, 3)), SizePresModelFromSize(TSize(2, 3))));
}

TEST(Geometry, Emptiness) {
  EXPECT_TRUE(IsEmpty(CirclePM()));
  EXPECT_TRUE(IsEmpty(CirclePM(BuildCirclePresModel(1, 1, 0))));
  EXPECT_FALSE(IsEmpty(CirclePM(BuildCirclePresModel(1, 1, -1))));
  EXPECT_TRUE(IsEmpty(Rect(0, 0, 0, 5)));
  EXPECT_FALSE(IsEmpty(Rect(0, 0, -1, 5)));
  EXPECT_TRUE(IsEmpty(DRect(0, 0, 1, 0)));
  EXPECT_FALSE(IsEmpty(DRect(0, 0, 1, std::nan(""))));
}

TEST(Geometry, CirclesStartWithACentreAndWriteIt) {
  const RefCntPtr<const CirclePresModel> c = MakeRefCnt<CirclePresModel>();
  ASSERT_NE(c->GetCenter(), nullptr);
  EXPECT_EQ(test::OutputOf(c), test::Lines({"Begin SubStructure 0xd6ab843e", "Parameter 0xd61c5044 0",
                                            "Parameter 0xd6c40da3 0", "End", "Parameter 0xd685b368 0"}));
  EXPECT_EQ(QPointFromPointPresModel(PointPresModelFromPoint(QPoint(4, 5))), QPoint(4, 5));
  EXPECT_EQ(TPointFromPointPresModel(PointPresModelFromPoint(TPoint(4, 5))), TPoint(4, 5));
  const auto f = PointPresModelFromPoint(QPointF(0.1, 2.5));
  EXPECT_EQ(f->GetX(), 0.1f);
}

TEST(PageCache, PagesOfRowsAndColumns) {
  const auto fresh = MakeRefCnt<PageCacheIDPresModel>();
  EXPECT_TRUE(fresh->UsingAllRows());
  EXPECT_TRUE(fresh->UsingAllColumns());
  EXPECT_EQ(fresh->CalculateCacheRow(12345), 0u);
  EXPECT_EQ(fresh->GetCacheTimeout(), std::chrono::seconds(5400));
  EXPECT_NE(fresh->GetCacheGuid(), MakeRefCnt<PageCacheIDPresModel>()->GetCacheGuid());
  EXPECT_FALSE(fresh->GetCacheGuid().IsNull());

  auto paged = MakeRefCnt<PageCacheIDPresModel>();
  paged->SetPageRowCount(100);
  paged->SetPageColumnCount(7);
  EXPECT_EQ(paged->CalculateCacheRow(0), 0u);
  EXPECT_EQ(paged->CalculateCacheRow(99), 0u);
  EXPECT_EQ(paged->CalculateCacheRow(100), 1u);
  EXPECT_EQ(paged->CalculateCacheColumn(14), 2u);
  EXPECT_FALSE(paged->UsingAllRows());

  paged->SetPageRowCount(-2);  // divides as 4294967294
  EXPECT_EQ(paged->CalculateCacheRow(4000000000u), 0u);
  EXPECT_EQ(paged->CalculateCacheRow(4294967295u), 1u);
  paged->SetPageRowCount(0);  // outside the model: no division by zero
  EXPECT_EQ(paged->CalculateCacheRow(5), 0u);
  EXPECT_EQ(PageCacheIDPresModel::NeverTimeout, std::chrono::seconds(-1));
}

}  // namespace
