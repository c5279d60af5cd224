#pragma once
// Text and line styles and the style context of the application core.

#pragma GCC visibility push(default)

#include <utility>
#include <vector>

#include "HostEnums.h"
#include "vqxcoredata/ValueClasses.h"
#include "vqxcoreplatform/TString.h"

class TextStyle {
 public:
  // The text style's own alignments; their values are those of the text-region alignments.
  enum class HorizAlign : int { Left = 0, Center = 1, Right = 2, Auto = 3 };
  enum class VertAlign : int { Bottom = 0, Center = 1, Top = 2, Auto = 3 };

  const TString& GetFont() const { return m_font; }
  void SetFont(const TString& v) { m_font = v; }
  int GetFontSize() const { return m_fontSize; }
  void SetFontSize(int v) { m_fontSize = v; }
  OrrelinFontStyle GetFontStyle() const { return m_fontStyle; }
  void SetFontStyle(OrrelinFontStyle v) { m_fontStyle = v; }
  FontWeight GetFontWeight() const { return m_fontWeight; }
  void SetFontWeight(FontWeight v) { m_fontWeight = v; }
  const ColorObject& GetColor() const { return m_color; }
  void SetColor(const ColorObject& v) { m_color = v; }
  HorizAlign GetHorizAlign() const { return m_hAlign; }
  void SetHorizAlign(HorizAlign v) { m_hAlign = v; }
  VertAlign GetVertAlign() const { return m_vAlign; }
  void SetVertAlign(VertAlign v) { m_vAlign = v; }
  TextDecoration GetDecoration() const { return m_decoration; }
  void SetDecoration(TextDecoration v) { m_decoration = v; }
  float GetOrientation() const { return m_orientation; }
  void SetOrientation(float v) { m_orientation = v; }
  const TString& GetFormatString() const { return m_formatString; }
  void SetFormatString(const TString& v) { m_formatString = v; }
  TextWrapMode GetWrap() const { return m_wrap; }
  void SetWrap(TextWrapMode v) { m_wrap = v; }
  int GetIndent() const { return m_indent; }
  void SetIndent(int v) { m_indent = v; }
  int GetLeftMargin() const { return m_leftMargin; }
  void SetLeftMargin(int v) { m_leftMargin = v; }
  int GetRightMargin() const { return m_rightMargin; }
  void SetRightMargin(int v) { m_rightMargin = v; }
  bool AllowHyphenation() const { return m_hyphenation; }
  void SetAllowHyphenation(bool v) { m_hyphenation = v; }
  const TString& GetHyperlink() const { return m_hyperlink; }
  void SetHyperlink(const TString& v) { m_hyperlink = v; }
  bool GetAutoURL() const { return m_autoUrl; }
  void SetAutoURL(bool v) { m_autoUrl = v; }

  friend bool operator==(const TextStyle&, const TextStyle&) = default;

 private:
  TString m_font;
  int m_fontSize = 0;
  OrrelinFontStyle m_fontStyle{};
  FontWeight m_fontWeight{};
  ColorObject m_color;
  HorizAlign m_hAlign = HorizAlign::Auto;
  VertAlign m_vAlign = VertAlign::Auto;
  TextDecoration m_decoration{};
  float m_orientation = 0;
  TString m_formatString;
  TextWrapMode m_wrap{};
  int m_indent = 0, m_leftMargin = 0, m_rightMargin = 0;
  bool m_hyphenation = false;
  TString m_hyperlink;
  bool m_autoUrl = false;
};

class LineStyle {
 public:
  LineStyle() = default;
  LineStyle(float width, const ColorObject& color, LinePattern pattern, LineCap cap, LineJoin join,
            LineAlignment alignment)
      : m_width(width), m_color(color), m_pattern(pattern), m_cap(cap), m_join(join), m_alignment(alignment) {}

  float GetStrokeWidth() const { return m_width; }
  const ColorObject& GetColor() const { return m_color; }
  LinePattern GetPattern() const { return m_pattern; }
  LineCap GetCap() const { return m_cap; }
  LineJoin GetJoin() const { return m_join; }
  LineAlignment GetAlignment() const { return m_alignment; }

  friend bool operator==(const LineStyle&, const LineStyle&) = default;

 private:
  float m_width = 1;
  ColorObject m_color;
  LinePattern m_pattern{};
  LineCap m_cap{};
  LineJoin m_join{};
  LineAlignment m_alignment{};
};

// Which element of a view a style belongs to: named by fields, or by scope and data class.
class StyleContext {
 public:
  StyleContext(StyleElement element, std::vector<FieldName> fieldNames, FieldType fieldType)
      : m_element(element), m_fieldNames(std::move(fieldNames)), m_fieldType(fieldType) {}
  StyleContext(StyleElement element, StyleFieldScope scope, StyleDataClass dataClass)
      : m_element(element), m_scope(scope), m_dataClass(dataClass) {}

  StyleElement GetElement() const { return m_element; }
  StyleFieldScope GetFieldScope() const { return m_scope; }
  StyleDataClass GetDataClass() const { return m_dataClass; }
  const std::vector<FieldName>& GetFieldNames() const { return m_fieldNames; }
  FieldType GetFieldType() const { return m_fieldType; }
  const TString& GetID() const { return m_id; }
  void SetID(const TString& id) { m_id = id; }

  friend bool operator==(const StyleContext&, const StyleContext&) = default;

 private:
  StyleElement m_element{};
  StyleFieldScope m_scope{};
  StyleDataClass m_dataClass{};
  std::vector<FieldName> m_fieldNames;
  FieldType m_fieldType{};
  TString m_id;
};

#pragma GCC visibility pop
