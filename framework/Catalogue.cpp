#include "framework/Catalogue.h"

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

