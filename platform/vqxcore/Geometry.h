#pragma once
// Integer geometry of the application core. TRect is given by its edges: Width() is
// right - left, unlike Qt's inclusive QRect.

#pragma GCC visibility push(default)

#include <compare>

class TPoint {
 public:
  TPoint() = default;
  TPoint(int x, int y) : m_x(x), m_y(y) {}
  int X() const { return m_x; }
  int Y() const { return m_y; }
  friend bool operator==(const TPoint&, const TPoint&) = default;

 private:
  int m_x = 0, m_y = 0;
};

class TSize {
 public:
  TSize() = default;
  TSize(int width, int height) : m_w(width), m_h(height) {}
  int Width() const { return m_w; }
  int Height() const { return m_h; }
  friend bool operator==(const TSize&, const TSize&) = default;

 private:
  int m_w = 0, m_h = 0;
};

class TRect {
 public:
  TRect() = default;
  TRect(int left, int top, int right, int bottom) : m_l(left), m_t(top), m_r(right), m_b(bottom) {}
  TRect(const TPoint& topLeft, const TPoint& bottomRight)
      : TRect(topLeft.X(), topLeft.Y(), bottomRight.X(), bottomRight.Y()) {}
  int Left() const { return m_l; }
  int Top() const { return m_t; }
  int Right() const { return m_r; }
  int Bottom() const { return m_b; }
  TPoint TopLeft() const { return TPoint(m_l, m_t); }
  int Width() const { return m_r - m_l; }
  int Height() const { return m_b - m_t; }
  friend bool operator==(const TRect&, const TRect&) = default;

 private:
  int m_l = 0, m_t = 0, m_r = 0, m_b = 0;
};

#pragma GCC visibility pop
