#pragma once
// DocParameterID: a parameter id used as a value. Its text is the name the registry holds
// for the id in the "vqxdoc" namespace; an id without a name travels as "0x%08x".

#include <cstdint>

#include "vqxcoreplatform/TString.h"
#include "vqxpreslayer/ParameterTypeSerializer.h"

enum class DocParameterID : std::uint32_t {};

template <>
struct ValueText<DocParameterID> {
  static TString ToString(DocParameterID id);
  static DocParameterID FromString(const TString& text);
};

extern template class ParameterTypeSerializer<DocParameterID>;
