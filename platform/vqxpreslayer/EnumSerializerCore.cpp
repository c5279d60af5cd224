#include "vqxpreslayer/EnumSerializerCore.h"

#include "vqxcoredata/EnumXMLEncoding.h"
#include "vqxpreslayer/SerializeStructure.h"

namespace enumcore {

const TString& Encode(const Ops& ops, std::int32_t value) { return ops.table().Encode(value); }

std::int32_t Decode(const Ops& ops, const TString& text) { return ops.table().Decode(text, false); }

namespace {
const IParameter& Held(const RefCntPtr<IParameter>& parameter) { return *parameter; }  // null: the assertion
}  // namespace

TString ParameterToString(const Ops& ops, const RefCntPtr<IParameter>& parameter) {
  std::int32_t value = 0;
  if (!ops.single(Held(parameter), value)) ThrowTypeMismatchCommandException(0);
  return Encode(ops, value);
}

RefCntPtr<IParameter> ParameterFromString(const Ops& ops, const TString& text) {
  return ops.makeSingle(Decode(ops, text));
}

std::vector<TString> ListParameterToStrings(const Ops& ops, const RefCntPtr<IParameter>& parameter) {
  std::vector<std::int32_t> values;
  if (!ops.list(Held(parameter), values)) ThrowTypeMismatchCommandException(0);
  std::vector<TString> texts;
  texts.reserve(values.size());
  for (std::int32_t v : values) texts.push_back(Encode(ops, v));
  return texts;
}

RefCntPtr<IParameter> ListParameterFromStrings(const Ops& ops, const std::vector<TString>& texts) {
  std::vector<std::int32_t> values;
  values.reserve(texts.size());
  for (const TString& t : texts) values.push_back(Decode(ops, t));
  return ops.makeList(values);
}

std::map<TString, TString> MapParameterToStrings(const Ops& ops, const RefCntPtr<IParameter>& parameter) {
  std::vector<std::pair<const TString*, std::int32_t>> values;
  if (!ops.map(Held(parameter), values)) ThrowTypeMismatchCommandException(0);
  std::map<TString, TString> texts;
  for (const auto& [key, v] : values) texts.emplace_hint(texts.end(), *key, Encode(ops, v));
  return texts;
}

RefCntPtr<IParameter> MapParameterFromStrings(const Ops& ops, const std::map<TString, TString>& texts) {
  std::vector<std::pair<TString, std::int32_t>> values;
  values.reserve(texts.size());
  for (const auto& [key, t] : texts) values.emplace_back(key, Decode(ops, t));
  return ops.makeMap(values);
}

void SerializeListValues(const Ops& ops, SerializeStructure& cursor, unsigned int id,
                         const std::vector<std::int32_t>& values) {
  ListStructure list(id, cursor, kListCategory);
  for (std::int32_t v : values) cursor.ListItem(Encode(ops, v));
}

Serializer::~Serializer() = default;

ParameterTypeCategory Serializer::GetType() const { return kValueCategory; }
TString Serializer::ParameterToString(RefCntPtr<IParameter> parameter) const {
  return enumcore::ParameterToString(m_ops, parameter);
}
RefCntPtr<IParameter> Serializer::ParameterFromString(const TString& text) const {
  return enumcore::ParameterFromString(m_ops, text);
}
std::vector<TString> Serializer::ListParameterToStrings(RefCntPtr<IParameter> parameter) const {
  return enumcore::ListParameterToStrings(m_ops, parameter);
}
RefCntPtr<IParameter> Serializer::ListParameterFromStrings(const std::vector<TString>& texts) const {
  return enumcore::ListParameterFromStrings(m_ops, texts);
}
std::map<TString, TString> Serializer::MapParameterToStrings(RefCntPtr<IParameter> parameter) const {
  return enumcore::MapParameterToStrings(m_ops, parameter);
}
RefCntPtr<IParameter> Serializer::MapParameterFromStrings(const std::map<TString, TString>& texts) const {
  return enumcore::MapParameterFromStrings(m_ops, texts);
}

}  // namespace enumcore
