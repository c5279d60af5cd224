// New models, made in memory that holds anything but zeros: every member holds the starting
// value its description gives, and every model can be written as it comes from its
// constructor, unless what it holds must be set first; then the write raises the error that
// says so, at the member.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DirtyMemory.h"
#include "StartingValues.h"
#include "framework/Catalogue.h"
#include "framework/HostRegistry.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "vqxsys/OrrelinException.h"
#include "wire/JsonCursor.h"

namespace {

constexpr unsigned char kFills[] = {0xa5, 0x5a};

TEST(FreshModels, AllocationsComeFilled) {
  for (unsigned char fill : kFills) {
    SetAllocationFill(fill);
    void* p = ::operator new(16);
    const volatile unsigned char* bytes = static_cast<unsigned char*>(p);
    EXPECT_EQ(bytes[0], fill);
    EXPECT_EQ(bytes[15], fill);
    ::operator delete(p);
  }
}

TEST(FreshModels, EveryMemberHoldsItsStartingValue) {
  EXPECT_EQ(AllStartingValues().size(), AllModels().size());
  for (unsigned char fill : kFills) {
    SetAllocationFill(fill);
    for (const StartingValues& s : AllStartingValues()) {
      const RefCntPtr<PresentationModel> model = s.info().create();
      std::vector<std::string> wrong;
      s.check(*model, wrong);
      std::string names;
      for (const std::string& w : wrong) names += " " + w;
      EXPECT_TRUE(wrong.empty()) << s.info().name << ", made in memory filled with " << int{fill} << ":" << names;
    }
  }
}

// Models whose constructor leaves a discriminant that names no class they are of.
struct Refusal {
  const char* model;
  const char* text;
};
const Refusal kRefusals[] = {
    {"FormatItemPresModel", "Unexpected value of property TypeOfFormatItem"},
    {"FormatContainerPresModel", "Unable to down cast model of type FormatContainer to type FormatSection"},
    {"FormatControlPresModel", "Unexpected value of property TypeOfFormatControl"},
};

const char* RefusalOf(const ModelInfo& info) {
  for (const Refusal& r : kRefusals)
    if (std::string(info.name) == r.model) return r.text;
  return nullptr;
}

// Why the error of a fresh model's write is not one its members call for; empty when it is:
// the null-pointer error at a nested member written always that holds no model, or at the
// discriminant of a dispatching class whose value no serializer is registered for.
std::string Unexplained(const ModelInfo& info, const PresentationModel& model, const LogicException& e) {
  if (const char* refusal = RefusalOf(info)) return e.Error().Text() == refusal ? "" : "expected: " + std::string(refusal);
  if (e.Error().Text() != "Null pointer dereferenced") return "an error no member calls for";
  const std::string place = ErrorPathOf(e);
  for (const ModelInfo* c = &info; c; c = c->base ? &c->base() : nullptr) {
    for (const MemberInfo& m : c->members) {
      if (place != std::string(c->name) + "." + m.stem) continue;
      const void* field = m.Field(&model);
      if (m.codec->kind == EncodingKind::NestedStructure && !m.IsConditional() && m.codec->isEmpty(m, field)) return "";
      const bool discriminant = c->dispatchMember >= 0 && &c->members[static_cast<std::size_t>(c->dispatchMember)] == &m;
      if (discriminant &&
          !HostRegistry().GetStructureSerializer(static_cast<std::uint32_t>(m.codec->asInteger(m, field))))
        return "";
      return "a member that may be left as it starts";
    }
  }
  return "no member of the model";
}

TEST(FreshModels, WriteAsTheyComeUnlessAMemberMustBeSetFirst) {
  for (unsigned char fill : kFills) {
    SetAllocationFill(fill);
    for (ModelInfoGetter get : AllModels()) {
      const ModelInfo& info = get();
      const RefCntPtr<const PresentationModel> model = info.create();
      try {
        (void)JsonCursor::Write(HostRegistry(), *model->AsIParameters());
        EXPECT_EQ(RefusalOf(info), nullptr) << info.name << " is written";
      } catch (const LogicException& e) {
        EXPECT_EQ(Unexplained(info, *model, e), "")
            << info.name << ": " << e.Error().Text() << " at '" << ErrorPathOf(e) << "'";
      }
    }
  }
}

}  // namespace
