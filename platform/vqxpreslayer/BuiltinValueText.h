#pragma once
// Text forms of the built-in value types: flags, numbers, whole seconds, texts and the
// value classes of the data layer. Malformed number text raises ValueTextException.

#pragma GCC visibility push(default)

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "vqxcoreplatform/TString.h"
#include "vqxcoreplatform/TUUID.h"
#include "vqxcoredata/ValueClasses.h"
#include "vqxpreslayer/ParameterTypeSerializer.h"

// A text that cannot be turned into a value of the expected type.
class ValueTextException : public OrrelinException {
 public:
  ValueTextException(const std::string& typeName, const TString& text);
  ~ValueTextException() override;
};

namespace ValueTextDetail {
// The number in ASCII text, as FromString reads it; false for any text FromString refuses.
bool IntegerFromAscii(std::string_view text, std::int64_t lo, std::int64_t hi, std::int64_t& out);
bool UnsignedFromAscii(std::string_view text, std::uint64_t hi, std::uint64_t& out);
bool FloatFromAscii(std::string_view text, float& out);
bool DoubleFromAscii(std::string_view text, double& out);

TString IntegerToString(std::int64_t v);
TString UnsignedToString(std::uint64_t v);
std::int64_t IntegerFromString(const TString& text, std::int64_t lo, std::int64_t hi, const char* type);
std::uint64_t UnsignedFromString(const TString& text, std::uint64_t hi, const char* type);
TString FloatToString(float v);
TString DoubleToString(double v);
float FloatFromString(const TString& text);
double DoubleFromString(const TString& text);
}  // namespace ValueTextDetail

template <>
struct ValueText<bool> {
  static TString ToString(bool v) { return v ? TString(u"true") : TString(u"false"); }
  static bool FromString(const TString& text);
};

template <typename T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && std::is_signed_v<T>)
struct ValueText<T> {
  static TString ToString(T v) { return ValueTextDetail::IntegerToString(v); }
  static T FromString(const TString& text) {
    return static_cast<T>(ValueTextDetail::IntegerFromString(
        text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), "integer"));
  }
};

template <typename T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && std::is_unsigned_v<T>)
struct ValueText<T> {
  static TString ToString(T v) { return ValueTextDetail::UnsignedToString(v); }
  static T FromString(const TString& text) {
    return static_cast<T>(
        ValueTextDetail::UnsignedFromString(text, std::numeric_limits<T>::max(), "unsigned integer"));
  }
};

template <>
struct ValueText<float> {
  static TString ToString(float v) { return ValueTextDetail::FloatToString(v); }
  static float FromString(const TString& text) { return ValueTextDetail::FloatFromString(text); }
};

template <>
struct ValueText<double> {
  static TString ToString(double v) { return ValueTextDetail::DoubleToString(v); }
  static double FromString(const TString& text) { return ValueTextDetail::DoubleFromString(text); }
};

// Whole seconds, as their count.
template <>
struct ValueText<std::chrono::seconds> {
  static TString ToString(std::chrono::seconds v) { return ValueTextDetail::IntegerToString(v.count()); }
  static std::chrono::seconds FromString(const TString& text) {
    return std::chrono::seconds(ValueTextDetail::IntegerFromString(
        text, INT64_MIN, INT64_MAX, "seconds"));
  }
};

template <>
struct ValueText<TString> {
  static const TString& ToString(const TString& v) { return v; }
  static const TString& FromString(const TString& text) { return text; }
};

template <>
struct ValueText<FieldName> {
  static const TString& ToString(const FieldName& v) { return v.Name(); }
  static FieldName FromString(const TString& text) { return FieldName(text); }
};

template <>
struct ValueText<QualifiedName> {
  static const TString& ToString(const QualifiedName& v) { return v.Name(); }
  static QualifiedName FromString(const TString& text) { return QualifiedName(text); }
};

template <>
struct ValueText<FormattedText> {
  static const TString& ToString(const FormattedText& v) { return v.Markup(); }
  static FormattedText FromString(const TString& text) { return FormattedText(text); }
};

template <>
struct ValueText<TUUID> {
  static TString ToString(const TUUID& v) { return v.ToString(0); }
  static TUUID FromString(const TString& text) { return TUUID::FromString(text); }
};

template <>
struct ValueText<ColorObject> {
  static TString ToString(const ColorObject& v) { return v.RGBAString(); }
  static ColorObject FromString(const TString& text) { return ColorObjectParser::Parse(text); }
};

// Self-describing: "%null%", "%b:true", "%i:42", "%r:2.5"; a text stands for itself
// unless it starts with '%', in which case it is written "%s:" + text.
template <>
struct ValueText<DataValue> {
  static TString ToString(const DataValue& v);
  static DataValue FromString(const TString& text);
};

// The built-in serializers are instantiated once, in the presentation layer.
extern template class ParameterTypeSerializer<bool>;
extern template class ParameterTypeSerializer<int>;
extern template class ParameterTypeSerializer<unsigned int>;
extern template class ParameterTypeSerializer<std::int64_t>;
extern template class ParameterTypeSerializer<std::uint64_t>;
extern template class ParameterTypeSerializer<float>;
extern template class ParameterTypeSerializer<double>;
extern template class ParameterTypeSerializer<std::chrono::seconds>;
extern template class ParameterTypeSerializer<TString>;
extern template class ParameterTypeSerializer<FieldName>;
extern template class ParameterTypeSerializer<QualifiedName>;
extern template class ParameterTypeSerializer<FormattedText>;
extern template class ParameterTypeSerializer<TUUID>;
extern template class ParameterTypeSerializer<DataValue>;

#pragma GCC visibility pop
