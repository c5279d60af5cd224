#pragma once
// Value classes of the data layer that models carry by value: field and qualified names,
// formatted (rich) text, data values and colours.

#pragma GCC visibility push(default)

#include <compare>
#include <cstdint>
#include <string_view>
#include <variant>

#include "vqxcoreplatform/TString.h"

// The internal name of a field, e.g. "[Sales].[Profit]".
class FieldName {
 public:
  FieldName() = default;
  explicit FieldName(TString name) : m_name(std::move(name)) {}
  const TString& Name() const { return m_name; }
  bool IsEmpty() const { return m_name.IsEmpty(); }
  friend bool operator==(const FieldName&, const FieldName&) = default;
  friend auto operator<=>(const FieldName&, const FieldName&) = default;

 private:
  TString m_name;
};

// A name qualified by its container, e.g. "[federated.1].[Orders]".
class QualifiedName {
 public:
  QualifiedName() = default;
  explicit QualifiedName(TString name) : m_name(std::move(name)) {}
  const TString& Name() const { return m_name; }
  bool IsEmpty() const { return m_name.IsEmpty(); }
  friend bool operator==(const QualifiedName&, const QualifiedName&) = default;
  friend auto operator<=>(const QualifiedName&, const QualifiedName&) = default;

 private:
  TString m_name;
};

// Rich text in its markup form.
class FormattedText {
 public:
  FormattedText() = default;
  explicit FormattedText(TString markup) : m_markup(std::move(markup)) {}
  const TString& Markup() const { return m_markup; }
  bool IsEmpty() const { return m_markup.IsEmpty(); }
  friend bool operator==(const FormattedText&, const FormattedText&) = default;

 private:
  TString m_markup;
};

// One value of a data column: null, a flag, an integer, a real or a text.
class DataValue {
 public:
  using Variant = std::variant<std::monostate, bool, std::int64_t, double, TString>;
  DataValue() = default;
  explicit DataValue(bool v) : m_v(v) {}
  explicit DataValue(std::int64_t v) : m_v(v) {}
  explicit DataValue(double v) : m_v(v) {}
  explicit DataValue(TString v) : m_v(std::move(v)) {}
  bool IsNull() const { return m_v.index() == 0; }
  const Variant& Get() const { return m_v; }
  friend bool operator==(const DataValue&, const DataValue&) = default;

 private:
  Variant m_v;
};

// A colour: red, green, blue and alpha, plus a colour type. Components outside 0..255
// mark special colours such as the invalid colour (-1, -1, -1).
class ColorObject {
 public:
  constexpr ColorObject() = default;
  constexpr ColorObject(int r, int g, int b, int a = 255, int colorType = 0)
      : m_r(r), m_g(g), m_b(b), m_a(a), m_type(colorType) {}
  constexpr int Red() const { return m_r; }
  int Green() const { return m_g; }
  int Blue() const { return m_b; }
  int Alpha() const { return m_a; }
  int ColorType() const { return m_type; }
  bool IsValid() const;
  // "#rrggbbaa" for ordinary colours, "rgba(r,g,b,a)" otherwise; ";type" follows a
  // non-zero colour type.
  TString RGBAString() const;
  // The same text, in ASCII, into `out` (room for kMaxTextSize bytes); returns its length.
  static constexpr std::size_t kMaxTextSize = 96;
  std::size_t WriteRGBA(char* out) const;
  friend bool operator==(const ColorObject&, const ColorObject&) = default;

 private:
  int m_r = 0, m_g = 0, m_b = 0, m_a = 255, m_type = 0;
};

struct ColorObjectParser {
  // Reads what RGBAString writes; any other text gives the default colour.
  static ColorObject Parse(const TString& text);
  // The same from the text's UTF-8 bytes.
  static ColorObject ParseUtf8(std::string_view text);
};

#pragma GCC visibility pop
