#pragma once
// DocParameterID: a parameter id used as a value. Its text is the name the registry holds
// for the id in the "vqxdoc" namespace; an id without a name travels as "0x%08x".

#pragma GCC visibility push(default)

#include <cstdint>
#include <string_view>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/ParameterTypeSerializer.h"

enum class DocParameterID : std::uint32_t {};

class JsonText;

template <>
struct ValueText<DocParameterID> {
  static TString ToString(DocParameterID id);
  static DocParameterID FromString(const TString& text);
  // The id whose text (as ToString writes it) is the ASCII text `text`; false for any other
  // text, which FromString reads as another id's or as 0.
  static bool FromOwnText(std::string_view text, DocParameterID& id);
  // Writes the id's text as a JSON string.
  static void WriteText(JsonText& out, DocParameterID id);
};

extern template class ParameterTypeSerializer<DocParameterID>;

#pragma GCC visibility pop
