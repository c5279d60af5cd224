// The main job: builds the richest example the library can build, writes it, writes it
// again from the cache, reads it back and checks that nothing was lost.

#include <chrono>
#include <cstdio>

#include "Commands.h"
#include "framework/Catalogue.h"
#include "framework/TraceCursor.h"
#include "models/DashboardModels.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace pmtool {
namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

RefCntPtr<const ZoneVisibilityFromFieldPresModel> BuildExample() {
  auto pair = MakeRefCnt<FieldCaptionPairPresModel>();
  pair->SetFieldName(FieldName(u"[Sales].[Region]"));
  pair->SetFieldCaption(u"Region");
  auto zone = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  zone->SetZoneID(7);
  zone->SetIsZoneVisibilityFromFieldChecked(true);
  zone->SetSelectedFieldNameAndCaption(pair);
  zone->SetErrorMessage(u"");
  return zone;
}

}  // namespace

int Demo(const Args&) {
  const ParametersRegistry& registry = HostRegistry();
  const auto example = BuildExample();
  const RefCntPtr<IParameters> bag = example->AsIParameters();

  const auto t0 = Clock::now();
  TraceCursor first(registry);
  VisitParametersStructure(registry, *bag, first.GetVisitor());
  const auto t1 = Clock::now();
  TraceCursor second(registry);
  VisitParametersStructure(registry, *bag, second.GetVisitor());
  const auto t2 = Clock::now();

  std::printf("example: ZoneVisibilityFromFieldPresModel with a nested FieldCaptionPairPresModel\n");
  std::printf("first write: %zu cursor calls, %.1f us\n", first.Calls().size(), Micros(t1 - t0));
  for (const std::string& line : first.Calls()) std::printf("  %s\n", line.c_str());
  std::printf("second write: %zu cursor calls (replayed from the cache), %.1f us\n", second.Calls().size(),
              Micros(t2 - t1));
  const bool sameOutput = first.Output() == second.Output();
  std::printf("replayed output identical: %s\n", sameOutput ? "yes" : "NO");

  // Read back: the bag a reader would deliver for the written parameters.
  auto readBag = registry.CreateParameters();
  readBag->SetParameter(0xd620d6ca, MakeRefCnt<ValParameter<unsigned int>>(example->GetZoneID()));
  readBag->SetParameter(0xd6495ce3, MakeRefCnt<ValParameter<bool>>(example->GetIsZoneVisibilityFromFieldChecked()));
  readBag->SetParameter(0xd6ccfec3, MakeRefCnt<ValParameter<RefCntPtr<const FieldCaptionPairPresModel>>>(
                                        example->GetSelectedFieldNameAndCaption()));
  const auto t3 = Clock::now();
  const auto read = StructSerializer<RefCntPtr<const ZoneVisibilityFromFieldPresModel>,
                                     RefCntPtr<ZoneVisibilityFromFieldPresModel>>::ToObject(readBag, 0, nullptr);
  const auto t4 = Clock::now();
  TraceCursor third(registry);
  const RefCntPtr<const ZoneVisibilityFromFieldPresModel> readBack(read);
  StructSerializer<RefCntPtr<const ZoneVisibilityFromFieldPresModel>,
                   RefCntPtr<ZoneVisibilityFromFieldPresModel>>::SerializeObj(readBack, third);
  const std::vector<std::string> expected(first.Output().begin() + 1, first.Output().end() - 1);
  const bool roundTrip = third.Output() == expected;
  std::printf("read back: %.1f us; rewrite identical: %s\n", Micros(t4 - t3), roundTrip ? "yes" : "NO");
  return sameOutput && roundTrip ? 0 : 1;
}

}  // namespace pmtool
