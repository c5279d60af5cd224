#pragma once
// Writers of number vectors: one list scope holding one item per number.

#pragma GCC visibility push(default)

#include <cstdint>
#include <vector>

class SerializeStructure;

namespace DataSerializerHelpers {
void SerializeUINTVector(SerializeStructure& cursor, std::uint32_t id, const std::vector<unsigned int>& v);
void SerializeIntVector(SerializeStructure& cursor, std::uint32_t id, const std::vector<int>& v);
void SerializeFloatVector(SerializeStructure& cursor, std::uint32_t id, const std::vector<float>& v);
void SerializeDoubleVector(SerializeStructure& cursor, std::uint32_t id, const std::vector<double>& v);
}  // namespace DataSerializerHelpers

#pragma GCC visibility pop
