#pragma once
// Localised texts of the application, looked up by string id.

#pragma GCC visibility push(default)

#include <cstdint>

#include "vqxcoreplatform/TString.h"

// The text of the current language under the id; empty when the id is unknown.
TString LookupTStr(std::uint32_t id);

#pragma GCC visibility pop
