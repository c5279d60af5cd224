#pragma once
// The catalogue of everything the library describes: its models, its enumerations and the
// names of its parameters, for tools and for the host's registration.

#pragma GCC visibility push(default)

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/ModelInfo.h"
#include "vqxcoreplatform/TString.h"

class IParameterSerializer;
class ParametersRegistry;

using ModelInfoGetter = const ModelInfo& (*)();

struct EnumDescription {
  const char* name;
  std::int32_t defaultValue;
  bool host;   // owned by a sibling library; the library only carries it
  bool flags;  // single-bit entries
  std::vector<std::pair<std::int32_t, TString>> (*entries)();
  RefCntPtr<IParameterSerializer> (*createSerializer)();
};

struct ParameterName {
  std::uint32_t id;
  const char* name;
};

// Sorted by name.
std::span<const ModelInfoGetter> AllModels();
std::span<const EnumDescription> AllEnums();
// Sorted by id.
std::span<const ParameterName> AllParameterNames();

const ModelInfo* FindModel(std::string_view name);
const EnumDescription* FindEnum(std::string_view name);
const char* FindParameterName(std::uint32_t id);

// Registers with the registry every structure serializer, value serializer and parameter
// name the library's models need: what a host does once at start-up.
void RegisterPresModelSerializers(ParametersRegistry& registry);

#pragma GCC visibility pop
