#pragma once
// Shared fixtures: a registry that knows the library's and the test models' serializers,
// helpers to read what a trace cursor recorded, and a model's way through wire text.

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "TestModels.h"
#include "framework/TraceCursor.h"
#include "models/DashboardModels.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace test {

inline std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
  return std::vector<std::string>(lines.begin(), lines.end());
}

template <typename M>
std::vector<std::string> TraceOf(const RefCntPtr<M>& model) {
  using C = std::remove_const_t<M>;
  TraceCursor cursor(Registry());
  StructSerializer<RefCntPtr<const C>, RefCntPtr<C>>::SerializeObj(model, cursor);
  return cursor.Calls();
}

// The output lines of a write, without capture markers.
template <typename M>
std::vector<std::string> OutputOf(const RefCntPtr<M>& model) {
  using C = std::remove_const_t<M>;
  TraceCursor cursor(Registry());
  StructSerializer<RefCntPtr<const C>, RefCntPtr<C>>::SerializeObj(model, cursor);
  return cursor.Output();
}

// The output of a write of a new M after set has filled it.
template <typename M, typename F>
std::vector<std::string> Written(F set) {
  auto m = MakeRefCnt<M>();
  set(*m);
  return OutputOf(m);
}

// The output of a write of a new M as it comes from its constructor.
template <typename M>
std::vector<std::string> Written() {
  return OutputOf(MakeRefCnt<M>());
}

// Whether a line of out begins with prefix.
bool Writes(const std::vector<std::string>& out, const std::string& prefix);

// Whether a line of out names the id.
bool WritesId(const std::vector<std::string>& out, std::uint32_t id);

// An id as the trace writes it: "0x%08x".
std::string Hex(std::uint32_t id);

// The line of the parameter id holding text; with an empty text, the start of any line of it.
std::string Param(std::uint32_t id, const std::string& text);

// The lines of a write's own level: a nested scope stands as its Begin line.
std::vector<std::string> TopLevel(const std::vector<std::string>& out);

// The ids of the parameters and scopes a write opens at its own level, in order.
std::vector<std::uint32_t> TopIds(const std::vector<std::string>& out);

// Whether run stands in out as consecutive lines.
bool HasRun(const std::vector<std::string>& out, const std::vector<std::string>& run);

// One write and what it must hold: the present lines, whole, in this order though not
// necessarily adjacent; no line that begins with one of absent; and, when members is not
// negative, that many lines at its own level.
struct WriteCase {
  const char* name;
  std::vector<std::string> (*write)();
  std::vector<std::string> present, absent;
  int members = -1;
};

// Makes each write and checks it, under the case's name.
void ExpectWrites(std::span<const WriteCase> cases);

// The wire text of a model alone.
template <typename M>
std::string Text(const RefCntPtr<M>& model) {
  return JsonCursor::Write(Registry(), *model->AsIParameters());
}

// The model wire text holds under M's default id, or null.
template <typename M>
RefCntPtr<const M> FromText(const std::string& text) {
  const RefCntPtr<IParameters> bag = WireReader(Registry()).Read(text);
  const auto* held = HolderOf<RefCntPtr<const M>>(bag->GetParameter(M::ID));
  return held ? held->Value() : nullptr;
}

// The model written alone as wire text and read back, or null.
template <typename M>
RefCntPtr<const std::remove_const_t<M>> ThroughText(const RefCntPtr<M>& model) {
  return FromText<std::remove_const_t<M>>(Text(model));
}

// ThroughText, expecting a model back that writes the same text again.
template <typename M>
RefCntPtr<const std::remove_const_t<M>> ThroughTextSettled(const RefCntPtr<M>& model) {
  const std::string text = Text(model);
  const auto read = FromText<std::remove_const_t<M>>(text);
  if (read) {
    EXPECT_EQ(Text(read), text);
  } else {
    ADD_FAILURE() << "nothing read back from " << text;
  }
  return read;
}

RefCntPtr<const FieldCaptionPairPresModel> Pair(const char16_t* field, const char16_t* caption);

template <typename V>
RefCntPtr<IParameter> Val(V value) {
  return MakeRefCnt<ValParameter<V>>(std::move(value));
}

// Runs f, expects the null-pointer logic assertion.
template <typename F>
void ExpectNullPointerAssertion(F&& f) {
  try {
    f();
    ADD_FAILURE() << "no exception";
  } catch (const LogicException& e) {
    EXPECT_EQ(e.Error().Code(), 0x00BF554Au);
    EXPECT_EQ(e.Error().MessageKey(), "LogicException_LogicAssert_0x00BF554A");
    EXPECT_EQ(e.Error().Source(), "ReferenceCount");
    EXPECT_EQ(e.Error().Line(), 342);
    EXPECT_EQ(e.Error().Text(), "Null pointer dereferenced");
  }
}

// Runs f, expects the type-mismatch error of serializer slots (parameter id 0).
template <typename F>
void ExpectTypeMismatch(F&& f) {
  try {
    f();
    ADD_FAILURE() << "no exception";
  } catch (const TypeMismatchCommandException& e) {
    EXPECT_EQ(e.ParameterId(), 0u);
  }
}

}  // namespace test
