#pragma once
// Enumerations with a text table: EnumTraits<E> names the table, and ValueText<E> turns
// values into the table's texts and back. A text without an entry decodes to the
// enumeration's default value.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "vqxcoredata/EnumXMLEncoding.h"
#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/ParameterTypeSerializer.h"

// Specialised for each enumeration with a table:
//   static const EnumXMLEncoding<E, TString>& Table();
//   static constexpr const char* Name;   // qualified name, e.g. "ChangePage::ChangePageType"
template <typename E>
struct EnumTraits;

template <typename E>
concept TableEnum = std::is_enum_v<E> && requires { EnumTraits<E>::Table(); };

// The table's own text of a value; raises the encoding error when it has none.
template <TableEnum E>
const TString& EnumText(E value) {
  if (const TString* text = EnumTraits<E>::Table().Find(value)) return *text;
  Implementation::ThrowXMLEnumEncodingException();
}

template <TableEnum E>
struct ValueText<E> {
  static TString ToString(E value) { return EnumTraits<E>::Table().Encode(value); }
  static E FromString(const TString& text) { return EnumTraits<E>::Table().Decode(text, false); }
};

// Builds a table from its entries in assignment order: a value assigned twice keeps the
// later text.
struct EnumEntryText {
  std::int32_t value;
  const char16_t* text;
};

template <typename E>
EnumXMLEncoding<E, TString> BuildEnumTable(std::int32_t defaultValue, std::initializer_list<EnumEntryText> entries) {
  EnumXMLEncoding<E, TString> table(static_cast<E>(defaultValue));
  for (const EnumEntryText& entry : entries) table[static_cast<E>(entry.value)] = entry.text;
  return table;
}
