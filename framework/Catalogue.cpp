#include "framework/Catalogue.h"
#include "framework/CatalogueSupport.h"

#include <algorithm>
#include <cstring>

#include "framework/HostRegistry.h"
#include "vqxpreslayer/ParametersRegistry.h"

const ParametersRegistry& HostRegistry() {
  static const bool registered = [] {
    RegisterPresModelSerializers(ParametersRegistry::Get());
    return true;
  }();
  (void)registered;
  return ParametersRegistry::Get();
}

const ModelInfo* FindModel(std::string_view name) {
  for (ModelInfoGetter get : AllModels())
    if (name == get().name) return &get();
  return nullptr;
}

const EnumDescription* FindEnum(std::string_view name) {
  for (const EnumDescription& e : AllEnums())
    if (name == e.name) return &e;
  return nullptr;
}

const char* FindParameterName(std::uint32_t id) {
  auto names = AllParameterNames();
  auto it = std::lower_bound(names.begin(), names.end(), id,
                             [](const ParameterName& n, std::uint32_t v) { return n.id < v; });
  return it != names.end() && it->id == id ? it->name : nullptr;
}


void Register(ParametersRegistry& registry, const FamilyRegistration& family) {
  for (const SerializerIds& s : family.serializers) {
    const RefCntPtr<IStructureSerializer> structure = s.structure ? s.structure() : nullptr;
    const RefCntPtr<IParameterSerializer> values = s.values ? s.values() : nullptr;
    for (std::uint32_t id : s.ids) {
      if (values) registry.RegisterParameterSerializer(id, values);
      if (structure) registry.RegisterStructureSerializer(id, structure);
    }
    if (s.members) s.members(registry);
  }
  for (const ShapeIds& s : family.shapes)
    for (std::uint32_t id : s.ids) registry.RegisterShape(id, s.shape);
  const ParameterNamespaceName ns("vqxdoc");
  for (const IdName& n : family.names) registry.RegisterName(n.id, ns, LegacyParameterName(TString::FromAscii(n.name)));
}
