#pragma once
// Sampler: fills models with deterministic, non-default values for every member, nested
// models included (to a bounded depth). Used by tools and by round-trip tests.

#pragma GCC visibility push(default)

#include <cstdint>
#include <vector>

#include "framework/ModelInfo.h"
#include "vqxcoreplatform/TString.h"

class ParametersRegistry;

class Sampler {
 public:
  Sampler(std::uint64_t seed, const ParametersRegistry& registry, int maxDepth = 3);

  // Texts hold a lone surrogate now and then, unless turned off.
  void SetLoneSurrogates(bool on) { m_loneSurrogates = on; }
  // Images come from a set of this many (as an application's marks share a few shapes),
  // unless 0: every image new.
  void SetImagePool(int images) { m_imagePool = images; }
  int ImagePool() const { return m_imagePool; }

  // A new model of the class `info` describes, every member set.
  RefCntPtr<PresentationModel> Model(const ModelInfo& info);

  // Building blocks for the member codecs.
  std::uint64_t Next();
  std::int64_t Between(std::int64_t lo, std::int64_t hi);  // inclusive
  bool Chance(int percent) { return Between(1, 100) <= percent; }
  TString Text();
  TString Key();
  std::uint32_t KnownParameterId();
  // Whether nested models below this depth are still filled; deeper ones are made empty,
  // with only the members that must not be null filled in.
  bool Deep() const { return m_depth >= m_maxDepth; }
  const ParametersRegistry& Registry() const { return m_registry; }

 private:
  void Fill(const ModelInfo& info, PresentationModel* model);

  std::uint64_t m_state;
  const ParametersRegistry& m_registry;
  int m_maxDepth;
  int m_depth = 0;
  bool m_loneSurrogates = true;
  int m_imagePool = 0;
  std::vector<std::uint32_t> m_ids;
};

#pragma GCC visibility pop
