#pragma once
// Shared fixtures: a registry that knows the library's and the test models' serializers,
// and helpers to read what a trace cursor recorded.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestModels.h"
#include "framework/TraceCursor.h"
#include "models/DashboardModels.h"

namespace test {

inline std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
  return std::vector<std::string>(lines.begin(), lines.end());
}

template <typename M>
std::vector<std::string> TraceOf(const RefCntPtr<const M>& model) {
  TraceCursor cursor(Registry());
  StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>::SerializeObj(model, cursor);
  return cursor.Calls();
}

// The output lines of a write, without capture markers.
template <typename M>
std::vector<std::string> OutputOf(const RefCntPtr<const M>& model) {
  TraceCursor cursor(Registry());
  StructSerializer<RefCntPtr<const M>, RefCntPtr<M>>::SerializeObj(model, cursor);
  return cursor.Output();
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
