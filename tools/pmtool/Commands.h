#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/HostRegistry.h"
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
  const char* usage;    // the arguments, e.g. "NAME [--seed N]"
  const char* summary;  // one line for the tool's help
  const char* details;  // the command's own help: what it prints, line by line
};

std::span<const Command> AllCommands();

// A model, enumeration, parameter or command name the library does not know.
class UnknownName : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Up to five of `candidates` closest to `name` (case aside): the nearest by edit distance,
// and those that contain it.
std::vector<std::string_view> ClosestNames(std::string_view name, const std::vector<std::string_view>& candidates);
// Raises UnknownName: "unknown WHAT 'NAME'", with the closest candidates when there are any.
[[noreturn]] void ThrowUnknown(std::string_view what, std::string_view name,
                               const std::vector<std::string_view>& candidates);

const ModelInfo& ModelNamed(std::string_view name);
std::vector<std::string_view> ModelNames();
std::vector<std::string_view> EnumNames();
// The wire text of a bag holding the model alone under its default id.
std::string WriteAlone(const RefCntPtr<PresentationModel>& model);
// The text of FILE, or of standard input for "-".
std::string ReadInput(std::string_view file);
// JSON text laid out for reading: two spaces per level, one member or item per line, texts
// and everything else unchanged. The text must be well-formed JSON.
std::string PrettyJson(std::string_view json);

}  // namespace pmtool
