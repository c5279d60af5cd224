#pragma once
// Every value type a model member can carry, with its text form.

#pragma GCC visibility push(default)

#include "framework/DocParameterID.h"
#include "framework/Identifiers.h"
#include "vqxpreslayer/BuiltinValueText.h"
#include "vqxpreslayer/EnumText.h"

// The identifier kinds share the text form of their TUUID.
template <typename I>
  requires std::is_base_of_v<SimpleIdentifier, I>
struct ValueText<I> {
  static TString ToString(const I& id) { return id.ToString(0); }
  static I FromString(const TString& text) { return I(TUUID::FromString(text)); }
};

// The colour serializer is one of the library's own.
extern template class ParameterTypeSerializer<ColorObject>;
extern template class ParameterTypeSerializer<SimpleIdentifier>;
extern template class ParameterTypeSerializer<ObjectIdentifier>;
extern template class ParameterTypeSerializer<StateIdentifier>;
extern template class ParameterTypeSerializer<SlideIdentifier>;

#pragma GCC visibility pop
