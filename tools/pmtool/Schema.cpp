// What readers of the wire text use: its JSON Schema, TypeScript declarations and the
// listing that `compat` compares, all generated from the descriptions into the tool.

#include <cstdio>
#include <string>

#include "Commands.h"
#include "WireTypes.h"

namespace pmtool {
namespace {

// A schema document: the top (without its closing brace) and the definitions, in their order.
std::string SchemaDocument(std::string_view top, const std::vector<bool>& keep) {
  std::string text(top.substr(0, top.size() - 1));
  text += ",\"$defs\":{";
  bool first = true;
  const auto defs = WireTypeDefinitions();
  for (std::size_t i = 0; i < defs.size(); ++i) {
    if (!keep[i]) continue;
    if (!first) text += ',';
    text += defs[i].keyed;
    first = false;
  }
  text += "}}";
  return PrettyJson(text);
}

}  // namespace

int Schema(const Args& args) {
  const auto defs = WireTypeDefinitions();
  if (args.empty()) {
    std::printf("%s\n", SchemaDocument(WireSchemaTop(), std::vector<bool>(defs.size(), true)).c_str());
    return 0;
  }
  for (const WireTypeDefinition& d : defs) {
    if (d.kind == WireTypeKind::Value || args[0] != d.name) continue;
    std::vector<bool> keep(defs.size(), false);
    std::vector<std::uint16_t> todo(d.topRefs.begin(), d.topRefs.end());
    while (!todo.empty()) {
      const std::uint16_t i = todo.back();
      todo.pop_back();
      if (keep[i]) continue;
      keep[i] = true;
      todo.insert(todo.end(), defs[i].refs.begin(), defs[i].refs.end());
    }
    std::printf("%s\n", SchemaDocument(d.top, keep).c_str());
    return 0;
  }
  std::vector<std::string_view> names = ModelNames();
  const std::vector<std::string_view> enums = EnumNames();
  names.insert(names.end(), enums.begin(), enums.end());
  ThrowUnknown("model or enumeration", args[0], names);
}

int TypeScript(const Args&) {
  for (const char* line : TypeScriptLines()) std::printf("%s\n", line);
  return 0;
}

int Listing(const Args&) {
  std::printf("%s\n", PrettyJson(ListingText()).c_str());
  return 0;
}

}  // namespace pmtool
