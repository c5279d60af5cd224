#pragma once
// TUUID: a 128-bit identifier. The all-zero value is the null identifier.

#pragma GCC visibility push(default)

#include <array>
#include <compare>
#include <cstdint>

#include "vqxcoreplatform/TString.h"

class TUUID {
 public:
  TUUID() = default;
  explicit TUUID(const std::array<std::uint8_t, 16>& bytes) : m_bytes(bytes) {}

  static TUUID CreateUUID();
  // Accepts the forms ToString produces; anything else gives the null identifier.
  static TUUID FromString(const TString& text);

  bool IsNull() const;
  // Format 0: "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"; format 1: the same without braces.
  TString ToString(int format = 0) const;
  const std::array<std::uint8_t, 16>& Bytes() const { return m_bytes; }

  friend bool operator==(const TUUID&, const TUUID&) = default;
  friend auto operator<=>(const TUUID&, const TUUID&) = default;

 private:
  std::array<std::uint8_t, 16> m_bytes{};
};

#pragma GCC visibility pop
