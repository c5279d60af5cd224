#pragma once
// Slot definitions of ParameterTypeSerializer<T> for the value types other than the
// enumerations with a table, whose serializers share their slots (EnumText.h).

#pragma GCC visibility push(default)

#include "vqxpreslayer/EnumText.h"
#include "vqxpreslayer/ParameterTypeSerializer.h"
#include "vqxpreslayer/SerializeStructure.h"

namespace detail {
// The held value of a parameter of exactly ValParameter<V>: null parameter -> null-pointer
// assertion; another holder -> type mismatch (id 0).
template <typename V>
const V& HeldValue(const RefCntPtr<IParameter>& parameter) {
  const auto* holder = HolderOf<V>(&*parameter);
  if (!holder) ThrowTypeMismatchCommandException(0);
  return holder->Value();
}
}  // namespace detail

template <typename T>
inline ParameterTypeCategory ParameterTypeSerializer<T>::GetType() const {
  return kValueCategory;
}

template <typename T>
inline TString ParameterTypeSerializer<T>::ParameterToString(RefCntPtr<IParameter> parameter) const {
  return TypeToString(detail::HeldValue<T>(parameter));
}

template <typename T>
inline RefCntPtr<IParameter> ParameterTypeSerializer<T>::ParameterFromString(const TString& text) const {
  return MakeRefCnt<ValParameter<T>>(TypeFromString(text));
}

template <typename T>
inline std::vector<TString> ParameterTypeSerializer<T>::ListParameterToStrings(RefCntPtr<IParameter> parameter) const {
  const auto& values = detail::HeldValue<std::vector<T>>(parameter);
  std::vector<TString> texts;
  texts.reserve(values.size());
  for (const T& v : values) texts.push_back(TypeToString(v));
  return texts;
}

template <typename T>
inline RefCntPtr<IParameter> ParameterTypeSerializer<T>::ListParameterFromStrings(const std::vector<TString>& texts) const {
  std::vector<T> values;
  values.reserve(texts.size());
  for (const TString& t : texts) values.push_back(TypeFromString(t));
  return MakeRefCnt<ValParameter<std::vector<T>>>(std::move(values));
}

template <typename T>
inline void ParameterTypeSerializer<T>::SerializeListParameter(RefCntPtr<IParameter> parameter, SerializeStructure& cursor,
                                                        unsigned int id) const {
  SerializeListValues(cursor, id, detail::HeldValue<std::vector<T>>(parameter));
}

template <typename T>
inline std::map<TString, TString> ParameterTypeSerializer<T>::MapParameterToStrings(RefCntPtr<IParameter> parameter) const {
  std::map<TString, TString> texts;
  for (const auto& [key, v] : detail::HeldValue<std::map<TString, T>>(parameter))
    texts.emplace_hint(texts.end(), key, TypeToString(v));
  return texts;
}

template <typename T>
inline RefCntPtr<IParameter> ParameterTypeSerializer<T>::MapParameterFromStrings(
    const std::map<TString, TString>& texts) const {
  std::map<TString, T> values;
  for (const auto& [key, t] : texts) values.emplace_hint(values.end(), key, TypeFromString(t));
  return MakeRefCnt<ValParameter<std::map<TString, T>>>(std::move(values));
}

template <typename T>
inline void ParameterTypeSerializer<T>::SerializeListValues(SerializeStructure& cursor, unsigned int id,
                                                     const std::vector<T>& values) const {
  ListStructure list(id, cursor, kListCategory);
  for (const T& v : values) cursor.ListItem(TypeToString(v));
}

#pragma GCC visibility pop
