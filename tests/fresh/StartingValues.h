#pragma once
// A new model's members against the starting values its description gives (its class's
// constructor settings included), with its serializing flags and serialized-value cache: one
// check per model, generated from the descriptions into StartingValues.cpp.

#include <cmath>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/ModelInfo.h"

struct StartingValues {
  const ModelInfo& (*info)();
  // Adds to `wrong` the name of every member of `model` that does not hold its start.
  void (*check)(PresentationModel& model, std::vector<std::string>& wrong);
};
std::span<const StartingValues> AllStartingValues();

template <typename V>
bool SameStart(const V& value, const V& start) {
  if constexpr (std::is_floating_point_v<V>)
    if (std::isnan(value) && std::isnan(start)) return true;
  if constexpr (requires { value == start; })
    return value == start;
  else
    return value.isNull() && start.isNull();  // pixmaps, which start null
}

template <typename V, typename S>
void ExpectStart(std::vector<std::string>& wrong, const char* member, const V& value, const S& start) {
  if (!SameStart(value, static_cast<V>(start))) wrong.emplace_back(member);
}

template <typename V>
void ExpectValueInitialised(std::vector<std::string>& wrong, const char* member, const V& value) {
  ExpectStart(wrong, member, value, V{});
}

// A start the constructor computes: the same value each time, or a fresh one (a new UUID),
// which is then not the type's own default.
template <typename V, typename F>
void ExpectStartOf(std::vector<std::string>& wrong, const char* member, const V& value, F make) {
  const V a = make(), b = make();
  if (SameStart(a, b) ? !SameStart(value, a) : SameStart(value, V{})) wrong.emplace_back(member);
}

// A nested model the constructor makes.
template <typename P>
void ExpectMade(std::vector<std::string>& wrong, const char* member, const P& model) {
  if (!model) wrong.emplace_back(member);
}
