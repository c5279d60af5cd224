// Uses the installed library as an application would: registers its serializers, builds a
// model, writes it as wire text, reads the text back and writes it again.

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/Catalogue.h"
#include "models/DashboardModels.h"
#include "vqxpreslayer/ParametersRegistry.h"
#include "wire/JsonCursor.h"
#include "wire/WireReader.h"

int main() {
  ParametersRegistry& registry = ParametersRegistry::Get();
  RegisterPresModelSerializers(registry);

  auto pair = MakeRefCnt<FieldCaptionPairPresModel>();
  pair->SetFieldName(FieldName(u"[Sales].[Region]"));
  pair->SetFieldCaption(u"Region");
  auto zone = MakeRefCnt<ZoneVisibilityFromFieldPresModel>();
  zone->SetZoneID(7);
  zone->SetSelectedFieldNameAndCaption(pair);

  const std::string text = JsonCursor::Write(registry, *zone->AsIParameters());
  const RefCntPtr<IParameters> read = WireReader(registry).Read(text);
  const std::string again = JsonCursor::Write(registry, *read);
  std::printf("%s\n", text.c_str());

  std::ifstream schema(PM_SCHEMA_FILE);
  std::string first;
  std::getline(schema, first);
  const bool ok = again == text && !AllModels().empty() && FindModel("ZoneVisibilityFromFieldPresModel") && first == "{";
  std::printf("%zu models, %zu enumerations; read back %s; schema %s\n", AllModels().size(), AllEnums().size(),
              again == text ? "identical" : "DIFFERENT", first == "{" ? "installed" : "MISSING");
  return ok ? 0 : 1;
}
