#pragma once
// DataColumn: one named column of values behind the marks of a scene (their encodings,
// text runs and text styles), the values as text. A value structure with a structure
// serializer of its own.

#pragma GCC visibility push(default)

#include <cstdint>
#include <vector>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayerdata/HostStructures.h"

class DataColumn {
 public:
  DataColumn() = default;
  DataColumn(TString name, std::vector<TString> values) : m_name(std::move(name)), m_values(std::move(values)) {}
  const TString& Name() const { return m_name; }
  const std::vector<TString>& Values() const { return m_values; }
  friend bool operator==(const DataColumn&, const DataColumn&) = default;

 private:
  friend class StructSerializer<DataColumn, DataColumn>;
  TString m_name;
  std::vector<TString> m_values;
};

template <>
class StructSerializer<DataColumn, DataColumn> final : public HostStructureSerializer<DataColumn> {
 public:
  static constexpr std::uint32_t kNameId = 0xd6fe0103;
  static constexpr std::uint32_t kValuesId = 0xd6fe0104;

  static void SerializeObj(const DataColumn& column, SerializeStructure& cursor);
  // A member from its text, from its items' texts (taken over), or from a parameter (one
  // of the wrong type is ignored): see IValueStructureReading.
  static bool ReadText(DataColumn& value, std::uint32_t id, std::string_view text);
  static bool ReadTexts(DataColumn& value, std::uint32_t id, std::vector<TString>& texts);
  static void ReadParameter(DataColumn& value, std::uint32_t id, const IParameter& parameter);
  // Missing or wrongly typed members read as empty.
  static DataColumn ToObject(RefCntPtr<const IParameters> bag, unsigned int id);
  // The value serializers, shapes and names of the members' ids.
  static void RegisterParameters(ParametersRegistry& registry);

 private:
  ~StructSerializer() override;
};

extern template class ValParameter<DataColumn>;
extern template class ValParameter<std::vector<DataColumn>>;
extern template class ValParameter<std::map<TString, DataColumn>>;

#pragma GCC visibility pop
