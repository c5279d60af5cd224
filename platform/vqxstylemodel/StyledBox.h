#pragma once
// StyledBox: the style model's box style. Each property is addressed by a location: the
// whole box or one side; a side's property may be unset.

#pragma GCC visibility push(default)

#include <array>
#include <optional>

#include "HostEnums.h"
#include "vqxcoredata/ValueClasses.h"

class StyledBox {
 public:
  enum PropertyLocation : int { WholeBox = 0, Top = 1, Right = 2, Bottom = 3, Left = 4 };
  // The value an unset integer property reports.
  static const int InvalidIntValue;

  StyledBox() = default;

  unsigned int GetBorderWidth(PropertyLocation at) const { return m_borderWidth[at].value_or(0); }
  void SetBorderWidth(PropertyLocation at, unsigned int v) { m_borderWidth[at] = v; }
  bool HasBorderWidth(PropertyLocation at) const { return m_borderWidth[at].has_value(); }

  BorderStyle GetBorderStyle(PropertyLocation at) const { return m_borderStyle[at].value_or(BorderStyle{}); }
  void SetBorderStyle(PropertyLocation at, BorderStyle v) { m_borderStyle[at] = v; }
  bool HasBorderStyle(PropertyLocation at) const { return m_borderStyle[at].has_value(); }

  ColorObject GetBorderColor(PropertyLocation at) const { return m_borderColor[at].value_or(ColorObject()); }
  void SetBorderColor(PropertyLocation at, const ColorObject& v) { m_borderColor[at] = v; }
  bool HasBorderColor(PropertyLocation at) const { return m_borderColor[at].has_value(); }

  int GetMargin(PropertyLocation at) const { return m_margin[at].value_or(InvalidIntValue); }
  void SetMargin(PropertyLocation at, int v) { m_margin[at] = v; }
  bool HasMargin(PropertyLocation at) const { return m_margin[at].has_value(); }

  int GetPadding(PropertyLocation at) const { return m_padding[at].value_or(InvalidIntValue); }
  void SetPadding(PropertyLocation at, int v) { m_padding[at] = v; }
  bool HasPadding(PropertyLocation at) const { return m_padding[at].has_value(); }

  const ColorObject& GetFillColor() const { return m_fillColor; }
  void SetFillColor(const ColorObject& v) { m_fillColor = v; }
  bool HasFill() const { return m_hasFill; }
  void SetHasFill(bool v) { m_hasFill = v; }
  bool GetInner() const { return m_inner; }
  void SetInner(bool v) { m_inner = v; }

  friend bool operator==(const StyledBox&, const StyledBox&) = default;

 private:
  template <typename T>
  using PerLocation = std::array<std::optional<T>, 5>;
  PerLocation<unsigned int> m_borderWidth;
  PerLocation<BorderStyle> m_borderStyle;
  PerLocation<ColorObject> m_borderColor;
  PerLocation<int> m_margin;
  PerLocation<int> m_padding;
  ColorObject m_fillColor;
  bool m_hasFill = false;
  bool m_inner = false;
};

#pragma GCC visibility pop
