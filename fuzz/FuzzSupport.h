// What the fuzz targets over the library's catalogue share with the writer of their seed
// corpora: a host's registry, and how the round-trip target reads its input.

#pragma once

#include <cstdint>
#include <string>

#include "framework/Catalogue.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace fuzz {

// The process-wide registry as a host leaves it: the library's serializers only.
inline const ParametersRegistry& CatalogueRegistry() {
  static ParametersRegistry& registry = []() -> ParametersRegistry& {
    ParametersRegistry& r = ParametersRegistry::Get();
    RegisterPresModelSerializers(r);
    return r;
  }();
  return registry;
}

// The round-trip target's input: a catalogue model and how to sample it. Bytes 0-1 choose
// the model (little-endian, modulo the number of models), bytes 2-9 are the seed, byte 10
// the shape: bit 0 a nesting depth of 3 instead of 2, bit 1 texts with lone surrogates,
// bits 2-3 the image pool (none, 1, 3 or 8). Missing bytes count as 0.
struct RoundTripInput {
  static constexpr std::size_t kSize = 11;

  std::uint16_t model = 0;
  std::uint64_t seed = 0;
  std::uint8_t shape = 0;

  static RoundTripInput From(const std::uint8_t* data, std::size_t size) {
    std::uint8_t b[kSize] = {};
    for (std::size_t i = 0; i < kSize && i < size; ++i) b[i] = data[i];
    RoundTripInput in;
    in.model = static_cast<std::uint16_t>(b[0] | b[1] << 8);
    for (int i = 9; i >= 2; --i) in.seed = in.seed << 8 | b[i];
    in.shape = b[10];
    return in;
  }
  std::string Bytes() const {
    std::string out(kSize, '\0');
    out[0] = static_cast<char>(model & 0xff);
    out[1] = static_cast<char>(model >> 8);
    for (int i = 0; i < 8; ++i) out[static_cast<std::size_t>(2 + i)] = static_cast<char>(seed >> (8 * i));
    out[10] = static_cast<char>(shape);
    return out;
  }

  const ModelInfo& Model() const { return AllModels()[model % AllModels().size()](); }
  int Depth() const { return shape & 1 ? 3 : 2; }
  bool LoneSurrogates() const { return shape & 2; }
  int ImagePool() const {
    constexpr int kPools[] = {0, 1, 3, 8};
    return kPools[shape >> 2 & 3];
  }
};

}  // namespace fuzz
