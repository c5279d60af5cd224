// The main job: builds the richest example the library can build, writes it as wire text,
// writes it again from the models' recorded text, reads it back, writes what was read and
// checks that nothing was lost; prints sizes and timings.

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "Commands.h"
#include "framework/Catalogue.h"
#include "framework/Sampler.h"
#include "models/DashboardModels.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

namespace pmtool {
namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The worked example: a zone whose visibility follows a field, with that field's caption.
RefCntPtr<const ZoneVisibilityFromFieldPresModel> WorkedExample() {
  auto pair = MakeRefCnt<FieldCaptionPairPresModel>();
  pair->SetFieldName(FieldName(u"[Sales].[Region]"));
  pair->SetFieldCaption(u"Region");
  auto zone = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  zone->SetZoneID(7);
  zone->SetIsZoneVisibilityFromFieldChecked(true);
  zone->SetSelectedFieldNameAndCaption(pair);
  return zone;
}

}  // namespace

int Demo(const Args&) {
  const ParametersRegistry& registry = HostRegistry();

  // One bag: every model the library knows, filled with sample values, and the example
  // under its own id.
  RefCntPtr<IParameters> bag = registry.CreateParameters();
  Sampler sampler(2026, registry);
  int models = 0;
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& info = get();
    bag->SetParameter(info.defaultId, info.wrap(sampler.Model(info).get()));
    ++models;
  }
  const auto example = WorkedExample();
  bag->SetParameter(example->GetDefaultParamID(), example->AsIParameters()->GetEntries().front().second);

  const auto t0 = Clock::now();
  const std::string first = JsonCursor::Write(registry, *bag);
  const auto t1 = Clock::now();
  const std::string replayed = JsonCursor::Write(registry, *bag);
  const auto t2 = Clock::now();
  const WireReader reader(registry);
  const RefCntPtr<IParameters> read = reader.Read(first);
  const auto t3 = Clock::now();
  const std::string rewritten = JsonCursor::Write(registry, *read);
  const auto t4 = Clock::now();

  std::printf("example: %d models with sample values (the zone-visibility example among them)\n", models);
  const RefCntPtr<IParameters> exampleBag = example->AsIParameters();
  std::printf("the example alone:\n%s\n", JsonCursor::Write(registry, *exampleBag).c_str());
  constexpr std::size_t kShown = 400;
  std::printf("wire text of all: %zu bytes, beginning\n%.*s...\n", first.size(),
              static_cast<int>(std::min(first.size(), kShown)), first.c_str());
  std::printf("first write:  %8.1f us\n", Micros(t1 - t0));
  std::printf("replay:       %8.1f us (recorded text of each model)\n", Micros(t2 - t1));
  std::printf("read back:    %8.1f us\n", Micros(t3 - t2));
  std::printf("rewrite:      %8.1f us\n", Micros(t4 - t3));
  const bool sameReplay = replayed == first;
  const bool sameRewrite = rewritten == first;
  std::printf("replay identical: %s; rewrite after reading identical: %s\n", sameReplay ? "yes" : "NO",
              sameRewrite ? "yes" : "NO");
  return sameReplay && sameRewrite ? 0 : 1;
}

}  // namespace pmtool
