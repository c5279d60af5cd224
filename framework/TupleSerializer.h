#pragma once
// Tuples as models carry them (RefCntPtr<Tuple>). In text a tuple is a structure whose
// content is one list item per value, in the tuple's order, each the contextual text of the
// value; the structure is not composite, so a cursor may write it as a plain list. A list
// of tuples is a list of such structures. The serializers registered for tuple ids rebuild
// tuples from the list items.

#pragma GCC visibility push(default)

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "vqxcoredata/Tuple.h"
#include "vqxpreslayer/Parameters.h"

class IParameterSerializer;
class IStructureSerializer;
class ParametersRegistry;
class SerializeStructure;
struct MemberInfo;

namespace tuples {
// Writes the tuple as a structure under id; a null tuple raises the null-pointer assertion
// once the structure is open.
void WriteTuple(std::uint32_t id, const RefCntPtr<Tuple>& tuple, SerializeStructure& cursor);
// The tuple whose values the texts are (values describe their own type).
RefCntPtr<Tuple> FromTexts(const std::vector<TString>& texts);

// The member writers of tuples and lists of tuples.
void WriteMember(const MemberInfo& member, const void* field, SerializeStructure& cursor, bool present);
void WriteListMember(const MemberInfo& member, const void* field, SerializeStructure& cursor, bool present);
}  // namespace tuples

// The serializers of tuples, registered under the ids of single tuples and of tuple lists:
// their values' texts, and their structures.
RefCntPtr<IParameterSerializer> CreateTupleTextSerializer();
RefCntPtr<IStructureSerializer> CreateTupleStructureSerializer();

extern template class ValParameter<RefCntPtr<Tuple>>;
extern template class ValParameter<std::vector<RefCntPtr<Tuple>>>;

#pragma GCC visibility pop
