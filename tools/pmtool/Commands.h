#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "vqxsys/RefCntPtr.h"

struct ModelInfo;
class ParametersRegistry;
class PresentationModel;

namespace pmtool {

using Args = std::vector<std::string_view>;

struct Command {
  const char* name;
  std::size_t minArgs;
  std::size_t maxArgs;
  int (*run)(const Args& args);
};

std::span<const Command> AllCommands();

// A model or enumeration name the library does not know.
class UnknownName : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const ModelInfo& ModelNamed(std::string_view name);
// The process-wide registry with every serializer of the library registered, as a host has it.
const ParametersRegistry& HostRegistry();
// The wire text of a bag holding the model alone under its default id.
std::string WriteAlone(const RefCntPtr<PresentationModel>& model);

}  // namespace pmtool
