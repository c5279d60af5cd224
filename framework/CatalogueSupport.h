#pragma once
// What the generated catalogue unit needs to describe and register models and values.

#pragma GCC visibility push(default)

#include <span>

#include "framework/Catalogue.h"
#include "framework/StructSerializer.h"
#include "framework/TupleSerializer.h"
#include "framework/ValueTexts.h"
#include "vqxpreslayer/Commands.h"
#include "vqxpreslayer/ParametersRegistry.h"

template <typename E>
inline std::vector<std::pair<std::int32_t, TString>> EnumEntries() {
  return EnumTraits<E>::Table().Entries();
}

template <typename E>
constexpr EnumDescription DescribeEnum() {
  using T = EnumTraits<E>;
  return EnumDescription{T::Name, T::Default, T::Host, T::Flags, &EnumEntries<E>,
                         &CreateParameterSerializer<ParameterTypeSerializer<E>>};
}

struct IdName {
  std::uint32_t id;
  const char* name;
};

// What one family of models registers with a host's registry, as tables: each serializer
// (made once for the family) by the ids it serves, the shape of each id in text, and the
// parameters' names. Register() walks them.
struct SerializerIds {
  RefCntPtr<IStructureSerializer> (*structure)();  // a structure serializer, or null
  RefCntPtr<IParameterSerializer> (*values)();     // a value serializer, or null
  void (*members)(ParametersRegistry&);            // a value structure's own members, or null
  std::span<const std::uint32_t> ids;
};
struct ShapeIds {
  ParameterShape shape;
  std::span<const std::uint32_t> ids;
};
struct FamilyRegistration {
  std::span<const SerializerIds> serializers;
  std::span<const ShapeIds> shapes;
  std::span<const IdName> names;
};

void Register(ParametersRegistry& registry, const FamilyRegistration& family);

#pragma GCC visibility pop
