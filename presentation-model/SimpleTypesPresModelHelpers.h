#pragma once
// Conversions between the geometry models and the geometry values of the graphics layers:
// Qt's types and the application core's integer types. Every function that reads a model
// accepts null and gives the null result stated beside it.

#pragma GCC visibility push(default)

#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <vector>

#include "models/GeometryModels.h"
#include "vqxcore/Geometry.h"

namespace SimpleTypesPresModelHelpers {

using PointPM = RefCntPtr<const PointPresModel>;
using FloatPointPM = RefCntPtr<const FloatPointPresModel>;
using SizePM = RefCntPtr<const SizePresModel>;
using RectPM = RefCntPtr<const RectanglePresModel>;
using DoubleRectPM = RefCntPtr<const DoubleRectanglePresModel>;
using CirclePM = RefCntPtr<const CirclePresModel>;
using FloatCirclePM = RefCntPtr<const FloatCirclePresModel>;

// Building.
RefCntPtr<PointPresModel> BuildPointPresModel(int x, int y);
RefCntPtr<FloatPointPresModel> BuildFloatPointPresModel(float x, float y);
RefCntPtr<SizePresModel> BuildSizePresModel(int width, int height);
RefCntPtr<CirclePresModel> BuildCirclePresModel(int x, int y, int radius);
RefCntPtr<FloatCirclePresModel> BuildFloatCirclePresModel(float x, float y, float radius);

// From graphics values to models.
RefCntPtr<PointPresModel> PointPresModelFromPoint(const QPoint& point);
RefCntPtr<PointPresModel> PointPresModelFromPoint(const TPoint& point);
RefCntPtr<FloatPointPresModel> PointPresModelFromPoint(const QPointF& point);  // narrowed to float
RefCntPtr<SizePresModel> SizePresModelFromSize(const TSize& size);
RefCntPtr<RectanglePresModel> RectPresModelFromRect(const QRect& rect);  // Qt's inclusive width and height
RefCntPtr<RectanglePresModel> RectPresModelFromRect(const TRect& rect);  // width right - left
RefCntPtr<DoubleRectanglePresModel> RectPresModelFromRect(const QRectF& rect);
// A circle inscribed in a square rectangle (radius height / 2, truncated); null otherwise.
RefCntPtr<CirclePresModel> CirclePresModelFromRect(const QRect& rect);

// From models to graphics values.
QPoint QPointFromPointPresModel(const PointPM& point);         // null: (0, 0)
TPoint TPointFromPointPresModel(const PointPM& point);         // null: TPoint()
TSize TSizeFromSizePM(const SizePM& size);                     // null: TSize()
QRect QRectFromRectPM(const RectPM& rect);                     // null: QRect()
QRectF QRectFromRectPM(const DoubleRectPM& rect);              // null: QRectF()
TRect TRectFromRectPM(const RectPM& rect);                     // by edges; null: TRect()
QRect BoundingQRectFromPresModel(const RectPM& rect);
QRect BoundingQRectFromPresModel(const DoubleRectPM& rect);    // the aligned rectangle
QRect BoundingQRectFromPresModel(const CirclePM& circle);      // positive extent for any radius
QPoint GetCenterPoint(const CirclePM& circle);                 // null: (0, 0)
QPoint GetCenterPoint(const RectPM& rect);                     // integer halves; null: (0, 0)
QPointF GetCenterPoint(const DoubleRectPM& rect);              // null: (0.0, 0.0)
// A closed path through the points (winding fill); null points count as (0, 0).
QPainterPath PathFromPoints(const std::vector<PointPM>& points);

// Comparisons: the same model or two nulls are equal, one null is not; otherwise field by
// field, floating-point fields exactly (NaN is unequal to everything).
bool PointsEqual(const PointPM& a, const PointPM& b);
bool PointsEqual(const FloatPointPM& a, const FloatPointPM& b);
bool SizesEqual(const SizePM& a, const SizePM& b);
bool RectsEqual(const RectPM& a, const RectPM& b);
bool RectsEqual(const DoubleRectPM& a, const DoubleRectPM& b);
bool CirclesEqual(const CirclePM& a, const CirclePM& b);
bool CirclesEqual(const FloatCirclePM& a, const FloatCirclePM& b);

bool IsEmpty(const CirclePM& circle);      // null or radius 0
bool IsEmpty(const RectPM& rect);          // null, width 0 or height 0
bool IsEmpty(const DoubleRectPM& rect);    // null, width 0.0 or height 0.0 (NaN is not 0.0)

}  // namespace SimpleTypesPresModelHelpers

#pragma GCC visibility pop
