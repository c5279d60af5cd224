#pragma once
// ParameterTypeSerializer<T>: the value serializer of one value type: flags, numbers,
// texts, value classes and enumerations. All share one implementation; they differ only in
// ValueText<T>, which turns one value into text and back.
//
// The slot definitions are in ParameterTypeSerializerImpl.h, included only where a
// serializer is instantiated.

#pragma GCC visibility push(default)

#include <cstdint>
#include <map>
#include <type_traits>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/Serializers.h"

// Specialised per value type: static TString ToString(const T&), static T FromString(const TString&).
template <typename T, typename Enable = void>
struct ValueText;

// A base that the serializers of enumeration types carry, so that a reader can tell them from
// the others: an enumeration's text that decodes and encodes to another text is one its table
// does not hold (it decoded to the default value). It adds no slot and no state.
struct EnumerationSerializer {};
struct NoEnumerationSerializer {};

template <typename T>
class ParameterTypeSerializer final
    : public IParameterSerializer,
      public std::conditional_t<std::is_enum_v<T>, EnumerationSerializer, NoEnumerationSerializer> {
 public:
  static TString TypeToString(const T& value) { return ValueText<T>::ToString(value); }
  static T TypeFromString(const TString& text) { return ValueText<T>::FromString(text); }

  ParameterTypeCategory GetType() const override;
  TString ParameterToString(RefCntPtr<IParameter> parameter) const override;
  RefCntPtr<IParameter> ParameterFromString(const TString& text) const override;
  std::vector<TString> ListParameterToStrings(RefCntPtr<IParameter> parameter) const override;
  RefCntPtr<IParameter> ListParameterFromStrings(const std::vector<TString>& texts) const override;
  void SerializeListParameter(RefCntPtr<IParameter> parameter, SerializeStructure& cursor,
                              unsigned int id) const override;
  std::map<TString, TString> MapParameterToStrings(RefCntPtr<IParameter> parameter) const override;
  RefCntPtr<IParameter> MapParameterFromStrings(const std::map<TString, TString>& texts) const override;
  virtual void SerializeListValues(SerializeStructure& cursor, unsigned int id,
                                   const std::vector<T>& values) const;

 private:
  ~ParameterTypeSerializer() override = default;
};

// A new serializer holding one reference, owned by the caller.
template <typename S>
RefCntPtr<IParameterSerializer> CreateParameterSerializer() {
  return MakeRefCnt<S>();
}

#pragma GCC visibility pop
