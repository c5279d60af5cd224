// The presentation layer's value structures: PaneId and DataColumn.

#include "vqxpreslayer/BuiltinValueText.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxpreslayerdata/DataColumn.h"
#include "vqxpreslayerdata/PaneId.h"

namespace {

template <typename V>
V HeldOr(const IParameters& bag, std::uint32_t id, V otherwise) {
  const auto* holder = HolderOf<V>(bag.GetParameter(id));
  return holder ? holder->Value() : otherwise;
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

PaneId PaneIdSerializer::ToObject(RefCntPtr<const IParameters> bag, unsigned int) {
  if (!bag) ThrowNullPointerDereferenced();
  return PaneId(HeldOr(*bag, kRowId, 0u), HeldOr(*bag, kColumnId, 0u));
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
  if (!bag) ThrowNullPointerDereferenced();
  return DataColumn(HeldOr(*bag, kNameId, TString()), HeldOr(*bag, kValuesId, std::vector<TString>()));
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
