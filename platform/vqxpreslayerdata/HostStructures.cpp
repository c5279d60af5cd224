// The presentation layer's value structures: PaneId and DataColumn.

#include "vqxpreslayer/BuiltinValueText.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayerdata/DataColumn.h"
#include "vqxpreslayerdata/PaneId.h"

namespace {

// Sets `to` from the parameter when it holds a T.
template <typename T>
void SetIfHeld(T& to, const IParameter& parameter) {
  if (const auto* holder = HolderOf<T>(&parameter)) to = holder->Value();
}

// A value rebuilt from a bag, member by member, as a reader rebuilds it.
template <typename V>
V FromBag(const RefCntPtr<const IParameters>& bag) {
  if (!bag) ThrowNullPointerDereferenced();
  V value;
  for (const auto& [id, parameter] : bag->GetEntries())
    if (parameter) StructSerializer<V, V>::ReadParameter(value, id, *parameter);
  return value;
}

bool SetUnsigned(unsigned int& to, std::string_view text) {
  std::uint64_t v = 0;
  if (!ValueTextDetail::UnsignedFromAscii(text, 0xFFFFFFFFu, v)) return false;
  to = static_cast<unsigned int>(v);
  return true;
}

template <typename T>
void RegisterMember(ParametersRegistry& registry, std::uint32_t id, ParameterShape shape, const char16_t* name) {
  registry.RegisterParameterSerializer(id, CreateParameterSerializer<ParameterTypeSerializer<T>>());
  registry.RegisterShape(id, shape);
  registry.RegisterName(id, ParameterNamespaceName("vqxdoc"), LegacyParameterName(TString(name)));
}

}  // namespace

using PaneIdSerializer = StructSerializer<PaneId, PaneId>;
using DataColumnSerializer = StructSerializer<DataColumn, DataColumn>;

PaneIdSerializer::~StructSerializer() = default;

void PaneIdSerializer::SerializeObj(const PaneId& pane, SerializeStructure& cursor) {
  cursor.Parameter(kRowId, ValueText<unsigned int>::ToString(pane.Row()));
  cursor.Parameter(kColumnId, ValueText<unsigned int>::ToString(pane.Column()));
}

PaneId PaneIdSerializer::ToObject(RefCntPtr<const IParameters> bag, unsigned int) { return FromBag<PaneId>(bag); }

bool PaneIdSerializer::ReadText(PaneId& pane, std::uint32_t id, std::string_view text) {
  if (id == kRowId) return SetUnsigned(pane.m_row, text);
  if (id == kColumnId) return SetUnsigned(pane.m_column, text);
  return false;
}

bool PaneIdSerializer::ReadTexts(PaneId&, std::uint32_t, std::vector<TString>&) { return false; }

void PaneIdSerializer::ReadParameter(PaneId& pane, std::uint32_t id, const IParameter& parameter) {
  if (id == kRowId) SetIfHeld(pane.m_row, parameter);
  if (id == kColumnId) SetIfHeld(pane.m_column, parameter);
}

void PaneIdSerializer::RegisterParameters(ParametersRegistry& registry) {
  RegisterMember<unsigned int>(registry, kRowId, ParameterShape::Single, u"PaneId.Row");
  RegisterMember<unsigned int>(registry, kColumnId, ParameterShape::Single, u"PaneId.Column");
}

DataColumnSerializer::~StructSerializer() = default;

void DataColumnSerializer::SerializeObj(const DataColumn& column, SerializeStructure& cursor) {
  cursor.Parameter(kNameId, column.Name());
  ListStructure list(kValuesId, cursor, kListCategory);
  for (const TString& value : column.Values()) cursor.ListItem(value);
}

DataColumn DataColumnSerializer::ToObject(RefCntPtr<const IParameters> bag, unsigned int) {
  return FromBag<DataColumn>(bag);
}

bool DataColumnSerializer::ReadText(DataColumn& column, std::uint32_t id, std::string_view text) {
  if (id != kNameId) return false;
  std::optional<TString> name = TString::FromUtf8Checked(text);
  if (!name) return false;
  column.m_name = std::move(*name);
  return true;
}

bool DataColumnSerializer::ReadTexts(DataColumn& column, std::uint32_t id, std::vector<TString>& texts) {
  if (id != kValuesId) return false;
  column.m_values = std::move(texts);
  return true;
}

void DataColumnSerializer::ReadParameter(DataColumn& column, std::uint32_t id, const IParameter& parameter) {
  if (id == kNameId) SetIfHeld(column.m_name, parameter);
  if (id == kValuesId) SetIfHeld(column.m_values, parameter);
}

void DataColumnSerializer::RegisterParameters(ParametersRegistry& registry) {
  RegisterMember<TString>(registry, kNameId, ParameterShape::Single, u"DataColumn.Name");
  RegisterMember<TString>(registry, kValuesId, ParameterShape::List, u"DataColumn.Values");
}

template class ValParameter<PaneId>;
template class ValParameter<std::vector<PaneId>>;
template class ValParameter<std::map<TString, PaneId>>;
template class ValParameter<DataColumn>;
template class ValParameter<std::vector<DataColumn>>;
template class ValParameter<std::map<TString, DataColumn>>;
