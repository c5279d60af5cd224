// Every catalogue model through a round trip: the fuzzer's bytes choose a model and how its
// sample is made (FuzzSupport.h); the sample is written, read back and written again. The
// two texts must be the same, and so must the two models, member by member.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "FuzzSupport.h"
#include "ModelEquality.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

// Where two texts first differ, with a little of each around it.
std::string TextDifference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const std::size_t from = at < 60 ? 0 : at - 60;
  return "the text read back writes differently from byte " + std::to_string(at) + ":\n  " + a.substr(from, 160) +
         "\nthen\n  " + b.substr(from, 160);
}

std::string RoundTrip(const fuzz::RoundTripInput& input) {
  const ParametersRegistry& registry = fuzz::CatalogueRegistry();
  static const WireReader reader(registry);
  Sampler sampler(input.seed, registry, input.Depth());
  sampler.SetLoneSurrogates(input.LoneSurrogates());
  sampler.SetImagePool(input.ImagePool());
  const RefCntPtr<PresentationModel> model = sampler.Model(input.Model());
  const std::string text = JsonCursor::Write(registry, *model->AsIParameters());
  const RefCntPtr<IParameters> bag = reader.Read(text);
  if (const std::string again = JsonCursor::Write(registry, *bag); again != text) return TextDifference(text, again);
  const IParameter* held = bag->GetParameter(model->GetDefaultParamID());
  const RefCntPtr<const PresentationModel> back = held ? held->GetStructure() : RefCntPtr<const PresentationModel>();
  return test::ModelDifference(registry, model.get(), back.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::RoundTripInput input = fuzz::RoundTripInput::From(data, size);
  std::string failure;
  try {
    failure = RoundTrip(input);
  } catch (const std::exception& e) {
    failure = std::string("error: ") + e.what();
  }
  if (failure.empty()) return 0;
  std::fprintf(stderr, "round trip of %s, seed %llu, depth %d, shape 0x%02x: %s\n", input.Model().name,
               static_cast<unsigned long long>(input.seed), input.Depth(), input.shape, failure.c_str());
  std::abort();
}
