#include "vqxpreslayer/BuiltinValueText.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "vqxpreslayer/ParameterTypeSerializerImpl.h"

ValueTextException::ValueTextException(const std::string& typeName, const TString& text)
    : OrrelinException(OrrelinError(0x00BF5610, "ValueTextException", "ValueText", 0,
                                    "not a valid " + typeName + ": \"" + text.ToUtf8() + "\"")) {}
ValueTextException::~ValueTextException() = default;

namespace ValueTextDetail {
namespace {

// Number text is ASCII and at most 64 characters long; anything else is not a number.
bool ToAscii(const TString& text, std::string& out) {
  out.clear();
  if (text.Length() > 64) return false;
  for (char16_t c : text.View()) {
    if (c > 0x7F) return false;
    out.push_back(static_cast<char>(c));
  }
  return true;
}

bool IsNumberText(std::string_view s) {
  if (s.size() > 64) return false;
  for (char c : s)
    if (static_cast<unsigned char>(c) > 0x7F) return false;
  return true;
}

template <typename T>
TString NumberToString(T v) {
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  (void)ec;
  return TString::FromAscii(std::string_view(buf, static_cast<std::size_t>(end - buf)));
}

template <typename T>
bool FloatingFromAscii(std::string_view s, T& v) {
  if (!IsNumberText(s)) return false;
  if (s == "nan") return v = std::numeric_limits<T>::quiet_NaN(), true;
  if (s == "-nan") return v = -std::numeric_limits<T>::quiet_NaN(), true;
  if (s == "inf") return v = std::numeric_limits<T>::infinity(), true;
  if (s == "-inf") return v = -std::numeric_limits<T>::infinity(), true;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && p == s.data() + s.size() && !s.empty();
}

template <typename T>
T FloatingFromString(const TString& text, const char* type) {
  std::string s;
  T v{};
  if (!ToAscii(text, s) || !FloatingFromAscii(s, v)) throw ValueTextException(type, text);
  return v;
}

template <typename T>
TString FloatingToString(T v) {
  if (std::isnan(v)) return std::signbit(v) ? TString(u"-nan") : TString(u"nan");
  if (std::isinf(v)) return v < 0 ? TString(u"-inf") : TString(u"inf");
  return NumberToString(v);
}

}  // namespace

bool IntegerFromAscii(std::string_view s, std::int64_t lo, std::int64_t hi, std::int64_t& v) {
  if (!IsNumberText(s)) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && p == s.data() + s.size() && !s.empty() && v >= lo && v <= hi;
}

bool UnsignedFromAscii(std::string_view s, std::uint64_t hi, std::uint64_t& v) {
  if (!IsNumberText(s)) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && p == s.data() + s.size() && !s.empty() && v <= hi;
}

bool FloatFromAscii(std::string_view text, float& out) { return FloatingFromAscii(text, out); }
bool DoubleFromAscii(std::string_view text, double& out) { return FloatingFromAscii(text, out); }

TString IntegerToString(std::int64_t v) { return NumberToString(v); }
TString UnsignedToString(std::uint64_t v) { return NumberToString(v); }

std::int64_t IntegerFromString(const TString& text, std::int64_t lo, std::int64_t hi, const char* type) {
  std::string s;
  std::int64_t v = 0;
  if (!ToAscii(text, s) || !IntegerFromAscii(s, lo, hi, v)) throw ValueTextException(type, text);
  return v;
}

std::uint64_t UnsignedFromString(const TString& text, std::uint64_t hi, const char* type) {
  std::string s;
  std::uint64_t v = 0;
  if (!ToAscii(text, s) || !UnsignedFromAscii(s, hi, v)) throw ValueTextException(type, text);
  return v;
}

TString FloatToString(float v) { return FloatingToString(v); }
TString DoubleToString(double v) { return FloatingToString(v); }
float FloatFromString(const TString& text) { return FloatingFromString<float>(text, "float"); }
double DoubleFromString(const TString& text) { return FloatingFromString<double>(text, "double"); }

}  // namespace ValueTextDetail

bool ValueText<bool>::FromString(const TString& text) {
  if (text == TString(u"true")) return true;
  if (text == TString(u"false")) return false;
  throw ValueTextException("flag", text);
}

TString ValueText<DataValue>::ToString(const DataValue& v) {
  struct Visitor {
    TString operator()(std::monostate) const { return TString(u"%null%"); }
    TString operator()(bool b) const { return TString(b ? u"%b:true" : u"%b:false"); }
    TString operator()(std::int64_t i) const {
      TString t(u"%i:");
      t.Append(ValueTextDetail::IntegerToString(i).View());
      return t;
    }
    TString operator()(double d) const {
      TString t(u"%r:");
      t.Append(ValueTextDetail::DoubleToString(d).View());
      return t;
    }
    TString operator()(const TString& s) const {
      if (s.View().empty() || s.View().front() != u'%') return s;
      TString t(u"%s:");
      t.Append(s.View());
      return t;
    }
  };
  return std::visit(Visitor{}, v.Get());
}

DataValue ValueText<DataValue>::FromString(const TString& text) {
  std::u16string_view v = text.View();
  if (v.empty() || v.front() != u'%') return DataValue(text);
  if (v == u"%null%") return DataValue();
  if (v.size() >= 3 && v[2] == u':') {
    TString rest(v.substr(3));
    switch (v[1]) {
      case u'b': return DataValue(ValueText<bool>::FromString(rest));
      case u'i': return DataValue(ValueTextDetail::IntegerFromString(rest, INT64_MIN, INT64_MAX, "integer"));
      case u'r': return DataValue(ValueTextDetail::DoubleFromString(rest));
      case u's': return DataValue(rest);
      default: break;
    }
  }
  throw ValueTextException("data value", text);
}

template class ParameterTypeSerializer<bool>;
template class ParameterTypeSerializer<int>;
template class ParameterTypeSerializer<unsigned int>;
template class ParameterTypeSerializer<std::int64_t>;
template class ParameterTypeSerializer<std::uint64_t>;
template class ParameterTypeSerializer<float>;
template class ParameterTypeSerializer<double>;
template class ParameterTypeSerializer<std::chrono::seconds>;
template class ParameterTypeSerializer<TString>;
template class ParameterTypeSerializer<FieldName>;
template class ParameterTypeSerializer<QualifiedName>;
template class ParameterTypeSerializer<FormattedText>;
template class ParameterTypeSerializer<TUUID>;
template class ParameterTypeSerializer<DataValue>;
