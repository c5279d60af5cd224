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

  using B = StyledBox;
  // Per side, in the order top, right, bottom, left: all widths, then styles, then colours.
  if (box.HasBorderWidth(B::Top)) SetBorderWidthTop(box.GetBorderWidth(B::Top));
  if (box.HasBorderWidth(B::Right)) SetBorderWidthRight(box.GetBorderWidth(B::Right));
  if (box.HasBorderWidth(B::Bottom)) SetBorderWidthBottom(box.GetBorderWidth(B::Bottom));
  if (box.HasBorderWidth(B::Left)) SetBorderWidthLeft(box.GetBorderWidth(B::Left));
  if (box.HasBorderStyle(B::Top)) SetBorderStyleTop(box.GetBorderStyle(B::Top));
  if (box.HasBorderStyle(B::Right)) SetBorderStyleRight(box.GetBorderStyle(B::Right));
  if (box.HasBorderStyle(B::Bottom)) SetBorderStyleBottom(box.GetBorderStyle(B::Bottom));
  if (box.HasBorderStyle(B::Left)) SetBorderStyleLeft(box.GetBorderStyle(B::Left));
  if (box.HasBorderColor(B::Top)) SetBorderColorTop(box.GetBorderColor(B::Top));
  if (box.HasBorderColor(B::Right)) SetBorderColorRight(box.GetBorderColor(B::Right));
  if (box.HasBorderColor(B::Bottom)) SetBorderColorBottom(box.GetBorderColor(B::Bottom));
  if (box.HasBorderColor(B::Left)) SetBorderColorLeft(box.GetBorderColor(B::Left));
  // The general margin, then each side's; likewise padding.
  if (box.HasMargin(B::WholeBox)) SetMargin(box.GetMargin(B::WholeBox));
  if (box.HasMargin(B::Top)) SetMarginTop(box.GetMargin(B::Top));
  if (box.HasMargin(B::Right)) SetMarginRight(box.GetMargin(B::Right));
  if (box.HasMargin(B::Bottom)) SetMarginBottom(box.GetMargin(B::Bottom));
  if (box.HasMargin(B::Left)) SetMarginLeft(box.GetMargin(B::Left));
  if (box.HasPadding(B::WholeBox)) SetPadding(box.GetPadding(B::WholeBox));
  if (box.HasPadding(B::Top)) SetPaddingTop(box.GetPadding(B::Top));
  if (box.HasPadding(B::Right)) SetPaddingRight(box.GetPadding(B::Right));
  if (box.HasPadding(B::Bottom)) SetPaddingBottom(box.GetPadding(B::Bottom));
  if (box.HasPadding(B::Left)) SetPaddingLeft(box.GetPadding(B::Left));
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
