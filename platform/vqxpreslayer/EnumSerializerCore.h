#pragma once
// The serializer slots of every enumeration with a text table, written once for all of
// them: they work on the values as 32-bit integers, and each enumeration adds only the few
// functions that touch its own holder types (EnumHolders<E> in EnumText.h).

#pragma GCC visibility push(default)

#include <cstdint>
#include <map>
#include <typeinfo>
#include <utility>
#include <vector>

#include "vqxcoredata/EnumXMLEncoding.h"
#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/ParameterTypeSerializer.h"
#include "vqxpreslayer/Parameters.h"
#include "vqxpreslayer/Serializers.h"

namespace enumcore {

using Entries = std::vector<std::pair<std::int32_t, TString>>;

// What one enumeration contributes: its table and its holders, whose types it alone knows
// (everything else about its values works on them as 32-bit integers). Each holder test
// returns false for a parameter of another type.
struct Ops {
  const EnumTextTable& (*table)();
  const std::type_info* serializer;  // ParameterTypeSerializer<E>
  bool (*single)(const IParameter& parameter, std::int32_t& value);
  RefCntPtr<IParameter> (*makeSingle)(std::int32_t value);
  bool (*list)(const IParameter& parameter, std::vector<std::int32_t>& values);
  RefCntPtr<IParameter> (*makeList)(const std::vector<std::int32_t>& values);
  bool (*map)(const IParameter& parameter, std::vector<std::pair<const TString*, std::int32_t>>& values);
  RefCntPtr<IParameter> (*makeMap)(const std::vector<std::pair<TString, std::int32_t>>& values);
};

// The table's text of a value (the encoding error when there is none) and the value of a
// text (the default when there is none), as the table's Encode and Decode.
const TString& Encode(const Ops& ops, std::int32_t value);
std::int32_t Decode(const Ops& ops, const TString& text);

TString ParameterToString(const Ops& ops, const RefCntPtr<IParameter>& parameter);
RefCntPtr<IParameter> ParameterFromString(const Ops& ops, const TString& text);
std::vector<TString> ListParameterToStrings(const Ops& ops, const RefCntPtr<IParameter>& parameter);
RefCntPtr<IParameter> ListParameterFromStrings(const Ops& ops, const std::vector<TString>& texts);
std::map<TString, TString> MapParameterToStrings(const Ops& ops, const RefCntPtr<IParameter>& parameter);
RefCntPtr<IParameter> MapParameterFromStrings(const Ops& ops, const std::map<TString, TString>& texts);
void SerializeListValues(const Ops& ops, SerializeStructure& cursor, unsigned int id,
                         const std::vector<std::int32_t>& values);

// The serializer slots every enumeration with a table shares, on the enumeration's Ops:
// ParameterTypeSerializer<E> of such an enumeration adds only the slots whose arguments
// have its type (EnumText.h).
class Serializer : public IParameterSerializer, public EnumerationSerializer {
 public:
  explicit Serializer(const Ops& ops) : m_ops(ops) {}
  ParameterTypeCategory GetType() const override;
  TString ParameterToString(RefCntPtr<IParameter> parameter) const override;
  RefCntPtr<IParameter> ParameterFromString(const TString& text) const override;
  std::vector<TString> ListParameterToStrings(RefCntPtr<IParameter> parameter) const override;
  RefCntPtr<IParameter> ListParameterFromStrings(const std::vector<TString>& texts) const override;
  std::map<TString, TString> MapParameterToStrings(RefCntPtr<IParameter> parameter) const override;
  RefCntPtr<IParameter> MapParameterFromStrings(const std::map<TString, TString>& texts) const override;

 protected:
  ~Serializer() override;
  const Ops& Enumeration() const { return m_ops; }

 private:
  const Ops& m_ops;
};

}  // namespace enumcore

#pragma GCC visibility pop
