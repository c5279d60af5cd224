// Ids travel by their names, or as "0x%08x" when they have none; the reader takes both, and
// a named id given by number too.

#include "TestSupport.h"
#include "vqxpreslayer/BuiltinValueText.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

TEST(WireIds, ByNameOrByNumber) {
  ParametersRegistry registry;
  for (std::uint32_t id : {0xd6000001u, 0xd6000002u})
    registry.RegisterParameterSerializer(id, CreateParameterSerializer<ParameterTypeSerializer<int>>());
  registry.RegisterName(0xd6000002, ParameterNamespaceName("vqxdoc"), LegacyParameterName(u"Named"));
  const WireReader reader(registry);
  const struct {
    const char* text;
    std::uint32_t id;     // 0: no parameter has that name
    const char* written;  // the bag read, written again
  } cases[] = {
      {R"({"0xd6000001":"7"})", 0xd6000001, R"({"0xd6000001":"7"})"},
      {R"({"0xD6000001":"7"})", 0xd6000001, R"({"0xd6000001":"7"})"},
      {R"({"Named":"7"})", 0xd6000002, R"({"Named":"7"})"},
      {R"({"0xd6000002":"7"})", 0xd6000002, R"({"Named":"7"})"},
      {R"({"0xd6000003":"7"})", 0, nullptr},  // nothing registered
      {R"({"0xd600001":"7"})", 0, nullptr},   // seven digits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (!c.id) {
      EXPECT_THROW(reader.Read(c.text), WireFormatException);
      continue;
    }
    const RefCntPtr<IParameters> bag = reader.Read(c.text);
    const auto* p = dynamic_cast<const ValParameter<int>*>(bag->GetParameter(c.id));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Value(), 7);
    EXPECT_EQ(JsonCursor::Write(registry, *bag), c.written);
  }
}

}  // namespace
