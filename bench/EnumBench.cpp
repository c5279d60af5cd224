// Enumeration text: encoding is an ordered lookup, decoding a scan in value order.

#include <benchmark/benchmark.h>

#include "enums/AffordanceEnums.h"

namespace {

using Serializer = ParameterTypeSerializer<AffordanceId>;

void Encode(benchmark::State& state) {
  const auto& entries = EnumTraits<AffordanceId>::Table().Entries();
  std::size_t i = 0;
  for (auto _ : state) {
    TString t = Serializer::TypeToString(static_cast<AffordanceId>(entries[i].first));
    benchmark::DoNotOptimize(t.Data());
    if (++i == entries.size()) i = 0;
  }
}
BENCHMARK(Encode)->Name("enum/AffordanceId/encode");

void Decode(benchmark::State& state, const TString& text) {
  for (auto _ : state) benchmark::DoNotOptimize(Serializer::TypeFromString(text));
}
BENCHMARK_CAPTURE(Decode, first, TString(u"AffordanceId_Invalid"))->Name("enum/AffordanceId/decode-first");
BENCHMARK_CAPTURE(Decode, last, EnumTraits<AffordanceId>::Table().Entries().back().second)
    ->Name("enum/AffordanceId/decode-last");
BENCHMARK_CAPTURE(Decode, missing, TString(u"AffordanceId_NoSuchThing"))->Name("enum/AffordanceId/decode-missing");

}  // namespace
