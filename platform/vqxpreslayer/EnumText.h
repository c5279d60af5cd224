#pragma once
// Enumerations with a text table: EnumTraits<E> names the table, and ValueText<E> turns
// values into the table's texts and back. A text without an entry decodes to the
// enumeration's default value.

#pragma GCC visibility push(default)

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>
#include <type_traits>
#include <typeinfo>

#include "vqxcoredata/EnumXMLEncoding.h"
#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/EnumSerializerCore.h"
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

// What an enumeration adds to the shared serializer slots and member codecs
// (EnumSerializerCore.h): the functions that touch its holder types.
template <TableEnum E>
struct EnumHolders {
  static const EnumTextTable& Table() { return EnumTraits<E>::Table(); }
  static bool Single(const IParameter& p, std::int32_t& value) {
    const auto* holder = HolderOf<E>(&p);
    if (holder) value = static_cast<std::int32_t>(holder->Value());
    return holder != nullptr;
  }
  static RefCntPtr<IParameter> MakeSingle(std::int32_t value) {
    return MakeRefCnt<ValParameter<E>>(static_cast<E>(value));
  }
  static bool List(const IParameter& p, std::vector<std::int32_t>& values) {
    const auto* holder = HolderOf<std::vector<E>>(&p);
    if (!holder) return false;
    values.resize(holder->Value().size());
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::int32_t>(holder->Value()[i]);
    return true;
  }
  static RefCntPtr<IParameter> MakeList(const std::vector<std::int32_t>& values) {
    std::vector<E> list(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) list[i] = static_cast<E>(values[i]);
    return MakeRefCnt<ValParameter<std::vector<E>>>(std::move(list));
  }
  static bool Map(const IParameter& p, std::vector<std::pair<const TString*, std::int32_t>>& values) {
    const auto* holder = HolderOf<std::map<TString, E>>(&p);
    if (!holder) return false;
    for (const auto& [key, v] : holder->Value()) values.emplace_back(&key, static_cast<std::int32_t>(v));
    return true;
  }
  static RefCntPtr<IParameter> MakeMap(const std::vector<std::pair<TString, std::int32_t>>& values) {
    std::map<TString, E> map;
    for (const auto& [key, v] : values) map.emplace_hint(map.end(), key, static_cast<E>(v));
    return MakeRefCnt<ValParameter<std::map<TString, E>>>(std::move(map));
  }
  static constexpr enumcore::Ops kOps{&Table, &typeid(ParameterTypeSerializer<E>), &Single, &MakeSingle, &List,
                                      &MakeList, &Map, &MakeMap};
};

// The serializer of an enumeration with a table: the shared slots (enumcore::Serializer),
// and the two whose arguments have the enumeration's type, slot 9 and slot 6, which hands
// the held list to slot 9.
template <TableEnum E>
class ParameterTypeSerializer<E> final : public enumcore::Serializer {
 public:
  ParameterTypeSerializer() : Serializer(EnumHolders<E>::kOps) {}
  static TString TypeToString(const E& value) { return ValueText<E>::ToString(value); }
  static E TypeFromString(const TString& text) { return ValueText<E>::FromString(text); }

  void SerializeListParameter(RefCntPtr<IParameter> parameter, SerializeStructure& cursor,
                              unsigned int id) const override {
    const auto* holder = HolderOf<std::vector<E>>(&*parameter);
    if (!holder) ThrowTypeMismatchCommandException(0);
    SerializeListValues(cursor, id, holder->Value());
  }
  virtual void SerializeListValues(SerializeStructure& cursor, unsigned int id, const std::vector<E>& values) const {
    std::vector<std::int32_t> ints(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) ints[i] = static_cast<std::int32_t>(values[i]);
    enumcore::SerializeListValues(Enumeration(), cursor, id, ints);
  }

 private:
  ~ParameterTypeSerializer() override = default;
};

// Builds a table from its entries in assignment order: a value assigned twice keeps the
// later text.
struct EnumEntryText {
  std::int32_t value;
  const char16_t* text;
};

// The entries' texts as JSON writes them (JsonText.h), for a table's writers of JSON text.
std::vector<std::string> EnumJsonTexts(const std::vector<std::pair<std::int32_t, TString>>& entries);

// Sets a table's texts in assignment order (a value assigned twice keeps the later text)
// and seals it.
void FillEnumTable(EnumTextTable& table, std::initializer_list<EnumEntryText> entries);

template <typename E>
EnumXMLEncoding<E, TString> BuildEnumTable(std::int32_t defaultValue, std::initializer_list<EnumEntryText> entries) {
  EnumXMLEncoding<E, TString> table(static_cast<E>(defaultValue));
  FillEnumTable(table, entries);
  return table;
}

#pragma GCC visibility pop
