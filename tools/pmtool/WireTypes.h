#pragma once
// The wire text's schema, TypeScript declarations and listing, generated from the
// descriptions (generator/wiretypes.py) into the tool.

#include <cstdint>
#include <span>

namespace pmtool {

enum class WireTypeKind : std::uint8_t { Value, Enum, Model };

// One definition of the schema. `keyed` is its JSON member ("name":{...}); `top`, for a
// model or an enumeration, the schema document of that name alone without its definitions,
// and `topRefs` the definitions it names. Refs index WireTypeDefinitions().
struct WireTypeDefinition {
  const char* name;
  WireTypeKind kind;
  const char* keyed;
  std::span<const std::uint16_t> refs;
  const char* top;
  std::span<const std::uint16_t> topRefs;
};

std::span<const WireTypeDefinition> WireTypeDefinitions();
// The top of the whole schema (a bag of every model), without its definitions.
const char* WireSchemaTop();
std::span<const char* const> TypeScriptLines();
// The listing as compact JSON.
const char* ListingText();

}  // namespace pmtool
