#include "vqxpreslayer/BuiltinValueText.h"
#include "vqxpreslayer/ContextualDataValueSerializer.h"
#include "vqxpreslayer/DataSerializerHelpers.h"
#include "vqxpreslayer/Parameters.h"
#include "vqxpreslayer/SerializeStructure.h"

namespace {
template <typename T>
void WriteNumbers(SerializeStructure& cursor, std::uint32_t id, const std::vector<T>& v) {
  ListStructure list(id, cursor, kListCategory);
  for (const T& x : v) cursor.ListItem(ValueText<T>::ToString(x));
}
}  // namespace

namespace DataSerializerHelpers {
void SerializeUINTVector(SerializeStructure& c, std::uint32_t id, const std::vector<unsigned int>& v) {
  WriteNumbers(c, id, v);
}
void SerializeIntVector(SerializeStructure& c, std::uint32_t id, const std::vector<int>& v) {
  WriteNumbers(c, id, v);
}
void SerializeFloatVector(SerializeStructure& c, std::uint32_t id, const std::vector<float>& v) {
  WriteNumbers(c, id, v);
}
void SerializeDoubleVector(SerializeStructure& c, std::uint32_t id, const std::vector<double>& v) {
  WriteNumbers(c, id, v);
}
}  // namespace DataSerializerHelpers

TString ContextualDataValueSerializerCore::ToString(const DataValue& value) {
  return ValueText<DataValue>::ToString(value);
}

DataColumnInfo ContextualDataValueSerializer::GetColumn(const IParameters& bag, std::uint32_t id,
                                                        const TString&) {
  if (const auto* p = dynamic_cast<const ValParameter<TString>*>(bag.GetParameter(id)))
    return DataColumnInfo{p->Value()};
  return DataColumnInfo{};
}

DataValue ContextualDataValueSerializer::FromString(const TString& text, const DataColumnInfo& column) {
  if (!text.IsEmpty() && text.View().front() == u'%') return ValueText<DataValue>::FromString(text);
  const std::u16string_view type = column.typeName.View();
  if (type == u"integer") return DataValue(ValueTextDetail::IntegerFromString(text, INT64_MIN, INT64_MAX, "integer"));
  if (type == u"real") return DataValue(ValueTextDetail::DoubleFromString(text));
  if (type == u"boolean") return DataValue(ValueText<bool>::FromString(text));
  return DataValue(text);
}

namespace ParameterUtils {
const TString& GetParameterDSName() {
  static const TString name(u"Parameters");
  return name;
}
}  // namespace ParameterUtils
