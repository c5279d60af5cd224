// Every model the generator knows, filled with sample values, written as text, read back
// and written again, gives the same text.

#include <regex>

#include "TestSupport.h"
#include "framework/Sampler.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace {

std::string WriteAlone(const ModelInfo& info, const RefCntPtr<PresentationModel>& model) {
  auto bag = MakeRefCnt<Parameters>();
  bag->SetParameter(info.defaultId, info.wrap(model.get()));
  return JsonCursor::Write(test::Registry(), *bag);
}

void ExpectRoundTrip(const ModelInfo& info) {
  const WireReader reader(test::Registry());
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    Sampler sampler(seed, test::Registry());
    const RefCntPtr<PresentationModel> model = sampler.Model(info);
    std::string text;
    try {
      text = WriteAlone(info, model);
      const std::string again = JsonCursor::Write(test::Registry(), *reader.Read(text));
      EXPECT_EQ(again, text) << info.name << " seed " << seed;
    } catch (const std::exception& e) {
      ADD_FAILURE() << info.name << " seed " << seed << ": " << e.what() << "\n" << text;
    }
  }
}

TEST(RoundTrip, EveryLibraryModel) {
  for (ModelInfoGetter get : AllModels()) ExpectRoundTrip(get());
}

TEST(RoundTrip, EveryTestModel) {
  for (ModelInfoGetter get : FrameworkTestFamilyModels()) ExpectRoundTrip(get());
}

// One cursor meets the parameter names of the whole catalogue (its table of key texts grows
// many times over); each model's text in it is the text an equal model has alone.
TEST(RoundTrip, OneTextOfEveryModelHoldsEachModelsOwnText) {
  Sampler sampler(5, test::Registry()), same(5, test::Registry());
  auto bag = MakeRefCnt<Parameters>();
  std::vector<std::string> alone;
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& info = get();
    const std::string text = WriteAlone(info, same.Model(info));
    alone.push_back(text.substr(1, text.size() - 2));
    const RefCntPtr<PresentationModel> model = sampler.Model(info);
    bag->SetParameter(info.defaultId, info.wrap(model.get()));
  }
  // Constructors give some models new identifiers: those are not compared.
  const std::regex uuid("\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}");
  const std::string all = std::regex_replace(JsonCursor::Write(test::Registry(), *bag), uuid, "{id}");
  for (const std::string& text : alone)
    EXPECT_NE(all.find(std::regex_replace(text, uuid, "{id}")), std::string::npos) << text.substr(0, 80);
}

TEST(RoundTrip, SamplesAreDeterministicPerSeed) {
  const ModelInfo& info = KitchenSinkPresModel::GetModelInfo();
  Sampler a(42, test::Registry()), b(42, test::Registry()), c(43, test::Registry());
  const std::string ta = WriteAlone(info, a.Model(info));
  EXPECT_EQ(ta, WriteAlone(info, b.Model(info)));
  EXPECT_NE(ta, WriteAlone(info, c.Model(info)));
}

}  // namespace
