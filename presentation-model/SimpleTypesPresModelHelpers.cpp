#include "presentation-model/SimpleTypesPresModelHelpers.h"

#include <algorithm>
#include <cstdlib>

namespace SimpleTypesPresModelHelpers {

RefCntPtr<PointPresModel> BuildPointPresModel(int x, int y) {
  auto p = MakeRefCnt<PointPresModel>();
  p->SetX(x);
  p->SetY(y);
  return p;
}

RefCntPtr<FloatPointPresModel> BuildFloatPointPresModel(float x, float y) {
  auto p = MakeRefCnt<FloatPointPresModel>();
  p->SetX(x);
  p->SetY(y);
  return p;
}

RefCntPtr<SizePresModel> BuildSizePresModel(int width, int height) {
  auto s = MakeRefCnt<SizePresModel>();
  s->SetWidth(width);
  s->SetHeight(height);
  return s;
}

RefCntPtr<CirclePresModel> BuildCirclePresModel(int x, int y, int radius) {
  auto c = MakeRefCnt<CirclePresModel>();
  c->SetCenter(BuildPointPresModel(x, y));
  c->SetRadius(radius);
  return c;
}

RefCntPtr<FloatCirclePresModel> BuildFloatCirclePresModel(float x, float y, float radius) {
  auto c = MakeRefCnt<FloatCirclePresModel>();
  c->SetCenter(BuildFloatPointPresModel(x, y));
  c->SetRadius(radius);
  return c;
}

RefCntPtr<PointPresModel> PointPresModelFromPoint(const QPoint& point) {
  return PointPresModelFromPoint(TPoint(point.x(), point.y()));
}

RefCntPtr<PointPresModel> PointPresModelFromPoint(const TPoint& point) {
  return BuildPointPresModel(point.X(), point.Y());
}

RefCntPtr<FloatPointPresModel> PointPresModelFromPoint(const QPointF& point) {
  return BuildFloatPointPresModel(static_cast<float>(point.x()), static_cast<float>(point.y()));
}

RefCntPtr<SizePresModel> SizePresModelFromSize(const TSize& size) {
  return BuildSizePresModel(size.Width(), size.Height());
}

namespace {
template <typename M, typename V>
RefCntPtr<M> RectangleOf(V left, V top, V width, V height) {
  auto r = MakeRefCnt<M>();
  r->SetLeft(left);
  r->SetTop(top);
  r->SetWidth(width);
  r->SetHeight(height);
  return r;
}
}  // namespace

RefCntPtr<RectanglePresModel> RectPresModelFromRect(const QRect& rect) {
  return RectangleOf<RectanglePresModel>(rect.left(), rect.top(), rect.width(), rect.height());
}

RefCntPtr<RectanglePresModel> RectPresModelFromRect(const TRect& rect) {
  return RectangleOf<RectanglePresModel>(rect.Left(), rect.Top(), rect.Width(), rect.Height());
}

RefCntPtr<DoubleRectanglePresModel> RectPresModelFromRect(const QRectF& rect) {
  return RectangleOf<DoubleRectanglePresModel>(rect.left(), rect.top(), rect.width(), rect.height());
}

RefCntPtr<CirclePresModel> CirclePresModelFromRect(const QRect& rect) {
  if (rect.width() != rect.height()) return nullptr;
  const int r = rect.height() / 2;
  return BuildCirclePresModel(rect.left() + r, rect.top() + r, r);
}

QPoint QPointFromPointPresModel(const PointPM& point) {
  return point ? QPoint(point->GetX(), point->GetY()) : QPoint(0, 0);
}

TPoint TPointFromPointPresModel(const PointPM& point) {
  return point ? TPoint(point->GetX(), point->GetY()) : TPoint();
}

TSize TSizeFromSizePM(const SizePM& size) {
  return size ? TSize(size->GetWidth(), size->GetHeight()) : TSize();
}

QRect QRectFromRectPM(const RectPM& rect) {
  return rect ? QRect(rect->GetLeft(), rect->GetTop(), rect->GetWidth(), rect->GetHeight()) : QRect();
}

QRectF QRectFromRectPM(const DoubleRectPM& rect) {
  return rect ? QRectF(rect->GetLeft(), rect->GetTop(), rect->GetWidth(), rect->GetHeight()) : QRectF();
}

TRect TRectFromRectPM(const RectPM& rect) {
  if (!rect) return TRect();
  return TRect(rect->GetLeft(), rect->GetTop(), rect->GetLeft() + rect->GetWidth(), rect->GetTop() + rect->GetHeight());
}

QRect BoundingQRectFromPresModel(const RectPM& rect) { return QRectFromRectPM(rect); }

QRect BoundingQRectFromPresModel(const DoubleRectPM& rect) { return QRectFromRectPM(rect).toAlignedRect(); }

QRect BoundingQRectFromPresModel(const CirclePM& circle) {
  if (!circle) return QRect();
  const QPoint c = QPointFromPointPresModel(circle->GetCenter());
  // The square from (c - r) to (c + r), whichever sign the radius has.
  const int r = std::abs(circle->GetRadius());
  return QRect(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

QPoint GetCenterPoint(const CirclePM& circle) {
  return circle ? QPointFromPointPresModel(circle->GetCenter()) : QPoint(0, 0);
}

QPoint GetCenterPoint(const RectPM& rect) {
  if (!rect) return QPoint(0, 0);
  return QPoint(rect->GetLeft() + rect->GetWidth() / 2, rect->GetTop() + rect->GetHeight() / 2);
}

QPointF GetCenterPoint(const DoubleRectPM& rect) {
  if (!rect) return QPointF(0.0, 0.0);
  return QPointF(rect->GetLeft() + rect->GetWidth() * 0.5, rect->GetTop() + rect->GetHeight() * 0.5);
}

QPainterPath PathFromPoints(const std::vector<PointPM>& points) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  if (!points.empty()) {
    path.moveTo(QPointFromPointPresModel(points.front()));
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(QPointFromPointPresModel(points[i]));
  }
  path.closeSubpath();
  return path;
}

namespace {
// The same model or two nulls: equal; one null: unequal; otherwise the fields decide.
template <typename P, typename F>
bool EqualBy(const P& a, const P& b, F&& fieldsEqual) {
  if (a.get() == b.get()) return true;
  if (!a || !b) return false;
  return fieldsEqual(*a, *b);
}
}  // namespace

bool PointsEqual(const PointPM& a, const PointPM& b) {
  return EqualBy(a, b, [](const auto& x, const auto& y) { return x.GetX() == y.GetX() && x.GetY() == y.GetY(); });
}

bool PointsEqual(const FloatPointPM& a, const FloatPointPM& b) {
  return EqualBy(a, b, [](const auto& x, const auto& y) { return x.GetX() == y.GetX() && x.GetY() == y.GetY(); });
}

bool SizesEqual(const SizePM& a, const SizePM& b) {
  return EqualBy(a, b, [](const auto& x, const auto& y) {
    return x.GetWidth() == y.GetWidth() && x.GetHeight() == y.GetHeight();
  });
}

namespace {
template <typename R>
bool SameEdges(const R& x, const R& y) {
  return x.GetLeft() == y.GetLeft() && x.GetTop() == y.GetTop() && x.GetWidth() == y.GetWidth() &&
         x.GetHeight() == y.GetHeight();
}
}  // namespace

bool RectsEqual(const RectPM& a, const RectPM& b) { return EqualBy(a, b, SameEdges<RectanglePresModel>); }
bool RectsEqual(const DoubleRectPM& a, const DoubleRectPM& b) {
  return EqualBy(a, b, SameEdges<DoubleRectanglePresModel>);
}

bool CirclesEqual(const CirclePM& a, const CirclePM& b) {
  return EqualBy(a, b, [](const auto& x, const auto& y) {
    return PointsEqual(x.GetCenter(), y.GetCenter()) && x.GetRadius() == y.GetRadius();
  });
}

bool CirclesEqual(const FloatCirclePM& a, const FloatCirclePM& b) {
  return EqualBy(a, b, [](const auto& x, const auto& y) {
    return PointsEqual(x.GetCenter(), y.GetCenter()) && x.GetRadius() == y.GetRadius();
  });
}

bool IsEmpty(const CirclePM& circle) { return !circle || circle->GetRadius() == 0; }
bool IsEmpty(const RectPM& rect) { return !rect || rect->GetWidth() == 0 || rect->GetHeight() == 0; }
bool IsEmpty(const DoubleRectPM& rect) {
  if (!rect || rect->GetWidth() == 0.0) return true;
  return rect->GetHeight() == 0.0;
}

}  // namespace SimpleTypesPresModelHelpers
