// Box, text and line styles and style contexts: built from the style model's values and
// converted back to them.

#include "models/StyleModels.h"

namespace {

// The markers of an unset box property, built when the library loads.
const ColorObject kInvalidColor(-1, -1, -1, 255, 0);
const int kInvalidInt = StyledBox::InvalidIntValue;
constexpr BorderStyle kUnsetBorderStyle{10};

constexpr StyledBox::PropertyLocation kSides[] = {StyledBox::Top, StyledBox::Right, StyledBox::Bottom,
                                                  StyledBox::Left};

}  // namespace

StyledBoxPresModel::StyledBoxPresModel(const StyledBox& box) : StyledBoxPresModel() {
  SetBorderWidth(box.GetBorderWidth(StyledBox::WholeBox));
  SetBorderStyle(box.GetBorderStyle(StyledBox::WholeBox));
  SetBorderColor(box.GetBorderColor(StyledBox::WholeBox));
  SetFillColor(box.GetFillColor());
  SetHasFill(box.HasFill());
  SetIsInner(box.GetInner());

  void (StyledBoxPresModel::*const widths[])(unsigned int) = {
      &StyledBoxPresModel::SetBorderWidthTop, &StyledBoxPresModel::SetBorderWidthRight,
      &StyledBoxPresModel::SetBorderWidthBottom, &StyledBoxPresModel::SetBorderWidthLeft};
  void (StyledBoxPresModel::*const styles[])(BorderStyle) = {
      &StyledBoxPresModel::SetBorderStyleTop, &StyledBoxPresModel::SetBorderStyleRight,
      &StyledBoxPresModel::SetBorderStyleBottom, &StyledBoxPresModel::SetBorderStyleLeft};
  void (StyledBoxPresModel::*const colors[])(const ColorObject&) = {
      &StyledBoxPresModel::SetBorderColorTop, &StyledBoxPresModel::SetBorderColorRight,
      &StyledBoxPresModel::SetBorderColorBottom, &StyledBoxPresModel::SetBorderColorLeft};
  for (int i = 0; i < 4; ++i)
    if (box.HasBorderWidth(kSides[i])) (this->*widths[i])(box.GetBorderWidth(kSides[i]));
  for (int i = 0; i < 4; ++i)
    if (box.HasBorderStyle(kSides[i])) (this->*styles[i])(box.GetBorderStyle(kSides[i]));
  for (int i = 0; i < 4; ++i)
    if (box.HasBorderColor(kSides[i])) (this->*colors[i])(box.GetBorderColor(kSides[i]));

  void (StyledBoxPresModel::*const margins[])(int) = {
      &StyledBoxPresModel::SetMarginTop, &StyledBoxPresModel::SetMarginRight, &StyledBoxPresModel::SetMarginBottom,
      &StyledBoxPresModel::SetMarginLeft};
  void (StyledBoxPresModel::*const paddings[])(int) = {
      &StyledBoxPresModel::SetPaddingTop, &StyledBoxPresModel::SetPaddingRight,
      &StyledBoxPresModel::SetPaddingBottom, &StyledBoxPresModel::SetPaddingLeft};
  if (box.HasMargin(StyledBox::WholeBox)) SetMargin(box.GetMargin(StyledBox::WholeBox));
  for (int i = 0; i < 4; ++i)
    if (box.HasMargin(kSides[i])) (this->*margins[i])(box.GetMargin(kSides[i]));
  if (box.HasPadding(StyledBox::WholeBox)) SetPadding(box.GetPadding(StyledBox::WholeBox));
  for (int i = 0; i < 4; ++i)
    if (box.HasPadding(kSides[i])) (this->*paddings[i])(box.GetPadding(kSides[i]));
}

StyledBoxPresModel::operator StyledBox() const {
  StyledBox box;
  const unsigned int widths[] = {GetBorderWidthTop(), GetBorderWidthRight(), GetBorderWidthBottom(),
                                 GetBorderWidthLeft()};
  box.SetBorderWidth(StyledBox::WholeBox, GetBorderWidth());
  for (int i = 0; i < 4; ++i)
    if (widths[i] != static_cast<unsigned int>(kInvalidInt)) box.SetBorderWidth(kSides[i], widths[i]);

  const BorderStyle styles[] = {GetBorderStyleTop(), GetBorderStyleRight(), GetBorderStyleBottom(),
                                GetBorderStyleLeft()};
  box.SetBorderStyle(StyledBox::WholeBox, GetBorderStyle());
  for (int i = 0; i < 4; ++i)
    if (styles[i] != kUnsetBorderStyle) box.SetBorderStyle(kSides[i], styles[i]);

  const ColorObject colors[] = {GetBorderColorTop(), GetBorderColorRight(), GetBorderColorBottom(),
                                GetBorderColorLeft()};
  box.SetBorderColor(StyledBox::WholeBox, GetBorderColor());
  for (int i = 0; i < 4; ++i)
    if (colors[i] != kInvalidColor) box.SetBorderColor(kSides[i], colors[i]);

  const int margins[] = {GetMarginTop(), GetMarginRight(), GetMarginBottom(), GetMarginLeft()};
  if (GetMargin() != kInvalidInt) box.SetMargin(StyledBox::WholeBox, GetMargin());
  for (int i = 0; i < 4; ++i)
    if (margins[i] != kInvalidInt) box.SetMargin(kSides[i], margins[i]);
  const int paddings[] = {GetPaddingTop(), GetPaddingRight(), GetPaddingBottom(), GetPaddingLeft()};
  if (GetPadding() != kInvalidInt) box.SetPadding(StyledBox::WholeBox, GetPadding());
  for (int i = 0; i < 4; ++i)
    if (paddings[i] != kInvalidInt) box.SetPadding(kSides[i], paddings[i]);

  box.SetFillColor(GetFillColor());
  box.SetHasFill(GetHasFill());
  box.SetInner(GetIsInner());
  return box;
}

TextStylePresModel::TextStylePresModel(const TextStyle& style) : TextStylePresModel() {
  SetFontName(style.GetFont());
  SetFontSize(style.GetFontSize());
  SetFontStyle(style.GetFontStyle());
  SetFontWeight(style.GetFontWeight());
  SetTextColor(style.GetColor());
  SetHAlign(static_cast<TextRegionHAlign>(style.GetHorizAlign()));
  SetVAlign(static_cast<TextRegionVAlign>(style.GetVertAlign()));
  SetTextDecoration(style.GetDecoration());
  SetOrientation(style.GetOrientation());
  SetFormatString(style.GetFormatString());
  SetTextWrapMode(style.GetWrap());
  SetIndent(style.GetIndent());
  SetLeftMargin(style.GetLeftMargin());
  SetRightMargin(style.GetRightMargin());
  SetAllowHyphenation(style.AllowHyphenation());
  SetHyperlink(style.GetHyperlink());
  SetAutoURL(style.GetAutoURL());
}

TextStylePresModel::operator TextStyle() const {
  TextStyle style;
  style.SetFont(GetFontName());
  style.SetFontSize(GetFontSize());
  style.SetFontStyle(GetFontStyle());
  style.SetFontWeight(GetFontWeight());
  style.SetColor(GetTextColor());
  style.SetHorizAlign(static_cast<TextStyle::HorizAlign>(GetHAlign()));
  style.SetVertAlign(static_cast<TextStyle::VertAlign>(GetVAlign()));
  style.SetDecoration(GetTextDecoration());
  style.SetOrientation(GetOrientation());
  style.SetFormatString(GetFormatString());
  style.SetWrap(GetTextWrapMode());
  style.SetIndent(GetIndent());
  style.SetLeftMargin(GetLeftMargin());
  style.SetRightMargin(GetRightMargin());
  style.SetAllowHyphenation(GetAllowHyphenation());
  style.SetHyperlink(GetHyperlink());
  style.SetAutoURL(GetAutoURL());
  return style;
}

LineStylePresModel::LineStylePresModel(const LineStyle& line) : LineStylePresModel() {
  SetLinePattern(line.GetPattern());
  SetLineCap(line.GetCap());
  SetLineJoin(line.GetJoin());
  SetLineWidth(line.GetStrokeWidth());
  SetLineAlignment(line.GetAlignment());
  SetLineColor(line.GetColor());
}

LineStylePresModel::operator LineStyle() const {
  return LineStyle(GetLineWidth(), GetLineColor(), GetLinePattern(), GetLineCap(), GetLineJoin(), GetLineAlignment());
}

StyleContextPresModel::StyleContextPresModel(const StyleContext& context) : StyleContextPresModel() {
  SetStyleElement(context.GetElement());
  SetStyleFieldScope(context.GetFieldScope());
  SetStyleDataClass(context.GetDataClass());
  SetFieldNames(context.GetFieldNames());
  SetElementInstanceId(context.GetID());
  SetFieldType(context.GetFieldType());
}

StyleContextPresModel::operator StyleContext() const {
  StyleContext context = GetFieldNames().empty()
                              ? StyleContext(GetStyleElement(), GetStyleFieldScope(), GetStyleDataClass())
                              : StyleContext(GetStyleElement(), GetFieldNames(), GetFieldType());
  context.SetID(GetElementInstanceId());
  return context;
}
