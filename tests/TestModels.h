#pragma once
// The test models beside the library's: a registry that knows both.

#include "framework/Catalogue.h"
#include "models/FrameworkTestModels.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace test {

// The process-wide registry, filled once with the library's serializers and the test
// models' (tests, benchmarks and the fuzz target share it).
const ParametersRegistry& Registry();

}  // namespace test
