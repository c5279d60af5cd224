#pragma once
// The encoding of a field in a view: one of the built-in encodings (colour, size, shape ...)
// or a custom encoding that its identifier names.

#pragma GCC visibility push(default)

#include "HostEnums.h"
#include "vqxcoreplatform/TString.h"

class EncodingTypeClass {
 public:
  EncodingTypeClass() = default;  // no encoding
  explicit EncodingTypeClass(EncodingType builtIn) : m_builtIn(builtIn) {}
  explicit EncodingTypeClass(const TString& customTypeId) : m_builtIn(EncodingType::Custom), m_custom(customTypeId) {}

  EncodingType GetBuiltInType() const { return m_builtIn; }
  const TString& CustomTypeId() const { return m_custom; }
  bool IsCustom() const { return m_builtIn == EncodingType::Custom; }

  // Built-in encodings are equal by type; custom ones also by identifier.
  friend bool operator==(const EncodingTypeClass& a, const EncodingTypeClass& b) {
    return a.m_builtIn == b.m_builtIn && (!a.IsCustom() || a.m_custom == b.m_custom);
  }

 private:
  EncodingType m_builtIn = EncodingType::None;
  TString m_custom;
};

#pragma GCC visibility pop
