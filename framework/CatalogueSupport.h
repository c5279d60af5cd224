#pragma once
// What the generated catalogue unit needs to describe and register models and values.

#include <initializer_list>

#include "framework/Catalogue.h"
#include "framework/StructSerializer.h"
#include "framework/ValueTexts.h"
#include "vqxpreslayer/ParametersRegistry.h"

template <typename E>
std::vector<std::pair<std::int32_t, TString>> EnumEntries() {
  return EnumTraits<E>::Table().Entries();
}

template <typename E>
constexpr EnumDescription DescribeEnum() {
  using T = EnumTraits<E>;
  return EnumDescription{T::Name, T::Default, T::Host, T::Flags, &EnumEntries<E>,
                         &CreateParameterSerializer<ParameterTypeSerializer<E>>};
}

inline void RegisterSerializer(ParametersRegistry& registry, const RefCntPtr<IParameterSerializer>& serializer,
                               std::initializer_list<std::uint32_t> ids) {
  for (std::uint32_t id : ids) registry.RegisterParameterSerializer(id, serializer);
}

template <typename T>
void RegisterValue(ParametersRegistry& registry, std::initializer_list<std::uint32_t> ids) {
  RegisterSerializer(registry, CreateParameterSerializer<ParameterTypeSerializer<T>>(), ids);
}

template <typename M>
void RegisterStructure(ParametersRegistry& registry, std::initializer_list<std::uint32_t> ids) {
  const auto serializer = CreateStructureSerializer<StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>>();
  for (std::uint32_t id : ids) registry.RegisterStructureSerializer(id, serializer);
}

// A value structure of the presentation layer, written by its own StructSerializer<V, V>,
// with the ids of its members.
template <typename V>
void RegisterHostStructure(ParametersRegistry& registry, std::initializer_list<std::uint32_t> ids) {
  const auto serializer = CreateStructureSerializer<StructSerializer<V, V>>();
  for (std::uint32_t id : ids) registry.RegisterStructureSerializer(id, serializer);
  StructSerializer<V, V>::RegisterParameters(registry);
}

inline void RegisterShape(ParametersRegistry& registry, ParameterShape shape, std::initializer_list<std::uint32_t> ids) {
  for (std::uint32_t id : ids) registry.RegisterShape(id, shape);
}

struct IdName {
  std::uint32_t id;
  const char* name;
};

inline void RegisterNames(ParametersRegistry& registry, std::initializer_list<IdName> names) {
  const ParameterNamespaceName ns("vqxdoc");
  for (const IdName& n : names) registry.RegisterName(n.id, ns, LegacyParameterName(TString::FromAscii(n.name)));
}
