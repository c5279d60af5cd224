#pragma once

#include <string>

#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxsys/RefCntPtr.h"

class IParameters;

namespace bench {

const ParametersRegistry& Registry();
// A bag holding one list of `count` filled models: about 1.2 kB of text per model.
RefCntPtr<IParameters> Document(int count, std::uint64_t seed = 1);

}  // namespace bench
