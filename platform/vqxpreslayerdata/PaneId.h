#pragma once
// PaneId: which pane of a visual's pane grid a scene element or pane's marks belong to,
// by row and column. A value structure with a structure serializer of its own.

#pragma GCC visibility push(default)

#include <cstdint>

#include "vqxpreslayerdata/HostStructures.h"

class PaneId {
 public:
  PaneId() = default;
  PaneId(unsigned int row, unsigned int column) : m_row(row), m_column(column) {}
  unsigned int Row() const { return m_row; }
  unsigned int Column() const { return m_column; }
  friend bool operator==(const PaneId&, const PaneId&) = default;

 private:
  friend class StructSerializer<PaneId, PaneId>;
  unsigned int m_row = 0;
  unsigned int m_column = 0;
};

template <>
class StructSerializer<PaneId, PaneId> final : public HostStructureSerializer<PaneId> {
 public:
  static constexpr std::uint32_t kRowId = 0xd6fe0101;
  static constexpr std::uint32_t kColumnId = 0xd6fe0102;

  static void SerializeObj(const PaneId& pane, SerializeStructure& cursor);
  // A member from its text, from its items' texts (taken over), or from a parameter (one
  // of the wrong type is ignored): see IValueStructureReading.
  static bool ReadText(PaneId& value, std::uint32_t id, std::string_view text);
  static bool ReadTexts(PaneId& value, std::uint32_t id, std::vector<TString>& texts);
  static void ReadParameter(PaneId& value, std::uint32_t id, const IParameter& parameter);
  // Missing or wrongly typed members read as 0.
  static PaneId ToObject(RefCntPtr<const IParameters> bag, unsigned int id);
  // The value serializers, shapes and names of the members' ids.
  static void RegisterParameters(ParametersRegistry& registry);

 private:
  ~StructSerializer() override;
};

extern template class ValParameter<PaneId>;
extern template class ValParameter<std::vector<PaneId>>;
extern template class ValParameter<std::map<TString, PaneId>>;

#pragma GCC visibility pop
