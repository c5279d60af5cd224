#pragma once
// Slot definitions of ParameterTypeSerializer<T>. Enumerations with a table share one
// implementation of their slots (EnumSerializerCore); other value types use the templates.

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
ParameterTypeCategory ParameterTypeSerializer<T>::GetType() const {
  return kValueCategory;
}

template <typename T>
TString ParameterTypeSerializer<T>::ParameterToString(RefCntPtr<IParameter> parameter) const {
  if constexpr (TableEnum<T>) {
    return enumcore::ParameterToString(EnumHolders<T>::kOps, parameter);
  } else {
    return TypeToString(detail::HeldValue<T>(parameter));
  }
}

template <typename T>
RefCntPtr<IParameter> ParameterTypeSerializer<T>::ParameterFromString(const TString& text) const {
  if constexpr (TableEnum<T>) {
    return enumcore::ParameterFromString(EnumHolders<T>::kOps, text);
  } else {
    return MakeRefCnt<ValParameter<T>>(TypeFromString(text));
  }
}

template <typename T>
std::vector<TString> ParameterTypeSerializer<T>::ListParameterToStrings(RefCntPtr<IParameter> parameter) const {
  if constexpr (TableEnum<T>) {
    return enumcore::ListParameterToStrings(EnumHolders<T>::kOps, parameter);
  } else {
    const auto& values = detail::HeldValue<std::vector<T>>(parameter);
    std::vector<TString> texts;
    texts.reserve(values.size());
    for (const T& v : values) texts.push_back(TypeToString(v));
    return texts;
  }
}

template <typename T>
RefCntPtr<IParameter> ParameterTypeSerializer<T>::ListParameterFromStrings(const std::vector<TString>& texts) const {
  if constexpr (TableEnum<T>) {
    return enumcore::ListParameterFromStrings(EnumHolders<T>::kOps, texts);
  } else {
    std::vector<T> values;
    values.reserve(texts.size());
    for (const TString& t : texts) values.push_back(TypeFromString(t));
    return MakeRefCnt<ValParameter<std::vector<T>>>(std::move(values));
  }
}

template <typename T>
void ParameterTypeSerializer<T>::SerializeListParameter(RefCntPtr<IParameter> parameter, SerializeStructure& cursor,
                                                        unsigned int id) const {
  SerializeListValues(cursor, id, detail::HeldValue<std::vector<T>>(parameter));
}

template <typename T>
std::map<TString, TString> ParameterTypeSerializer<T>::MapParameterToStrings(RefCntPtr<IParameter> parameter) const {
  if constexpr (TableEnum<T>) {
    return enumcore::MapParameterToStrings(EnumHolders<T>::kOps, parameter);
  } else {
    std::map<TString, TString> texts;
    for (const auto& [key, v] : detail::HeldValue<std::map<TString, T>>(parameter))
      texts.emplace_hint(texts.end(), key, TypeToString(v));
    return texts;
  }
}

template <typename T>
RefCntPtr<IParameter> ParameterTypeSerializer<T>::MapParameterFromStrings(
    const std::map<TString, TString>& texts) const {
  if constexpr (TableEnum<T>) {
    return enumcore::MapParameterFromStrings(EnumHolders<T>::kOps, texts);
  } else {
    std::map<TString, T> values;
    for (const auto& [key, t] : texts) values.emplace_hint(values.end(), key, TypeFromString(t));
    return MakeRefCnt<ValParameter<std::map<TString, T>>>(std::move(values));
  }
}

template <typename T>
void ParameterTypeSerializer<T>::SerializeListValues(SerializeStructure& cursor, unsigned int id,
                                                     const std::vector<T>& values) const {
  if constexpr (TableEnum<T>) {
    std::vector<std::int32_t> ints(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) ints[i] = static_cast<std::int32_t>(values[i]);
    enumcore::SerializeListValues(EnumHolders<T>::kOps, cursor, id, ints);
  } else {
    ListStructure list(id, cursor, kListCategory);
    for (const T& v : values) cursor.ListItem(TypeToString(v));
  }
}
