// Commands that list the catalogue: enumerations, models, members and parameter names.

#include <cstdio>
#include <string>

#include "Commands.h"
#include "framework/Catalogue.h"
#include "framework/TraceCursor.h"
#include "vqxpreslayer/ParametersRegistry.h"

namespace pmtool {
namespace {

const EnumDescription& EnumNamed(std::string_view name) {
  if (const EnumDescription* e = FindEnum(name)) return *e;
  throw UnknownName("unknown enumeration '" + std::string(name) + "'");
}

int Enums(const Args&) {
  for (const EnumDescription& e : AllEnums())
    std::printf("%s\t%d\t%zu%s\n", e.name, e.defaultValue, e.entries().size(), e.host ? "\thost" : "");
  return 0;
}

int Enum(const Args& args) {
  const EnumDescription& e = EnumNamed(args[0]);
  for (const auto& [value, text] : e.entries()) std::printf("%d\t%s\n", value, text.ToUtf8().c_str());
  std::printf("default\t%d\n", e.defaultValue);
  return 0;
}

int Models(const Args&) {
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& m = get();
    std::printf("%s\t0x%08x\t%s\n", m.name, m.defaultId, m.base ? m.base().name : "->");
  }
  return 0;
}

void PrintMembers(const ModelInfo& m) {
  if (m.base) PrintMembers(m.base());
  for (const MemberInfo& member : m.members) {
    if (!member.write) continue;
    std::printf("%s\t0x%08x\t%s\t%s", member.stem, member.id, EncodingKindWord(member.codec->kind),
                member.IsConditional() ? "when set" : "always");
    if (member.codec->kind == EncodingKind::StructureList) std::printf("\t0x%08x", member.itemId);
    std::printf("\n");
  }
}

int Model(const Args& args) {
  PrintMembers(ModelNamed(args[0]));
  return 0;
}

int Params(const Args&) {
  for (const ParameterName& n : AllParameterNames()) std::printf("0x%08x\t%s\n", n.id, n.name);
  return 0;
}

int Trace(const Args& args) {
  const ModelInfo& info = ModelNamed(args[0]);
  const ParametersRegistry& registry = HostRegistry();
  TraceCursor cursor(registry);
  std::string error;
  try {
    const RefCntPtr<PresentationModel> model = info.create();
    WriteModel(info, model.get(), cursor);
  } catch (const std::exception& e) {
    error = e.what();
  }
  for (const std::string& line : cursor.Calls()) std::printf("%s\n", line.c_str());
  if (!error.empty()) {
    std::printf("error: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

const ModelInfo& ModelNamed(std::string_view name) {
  if (const ModelInfo* m = FindModel(name)) return *m;
  throw UnknownName("unknown model '" + std::string(name) + "'");
}

const ParametersRegistry& HostRegistry() {
  static const bool registered = [] {
    RegisterPresModelSerializers(ParametersRegistry::Get());
    return true;
  }();
  (void)registered;
  return ParametersRegistry::Get();
}

int Demo(const Args& args);
int WriteCommand(const Args& args);
int SampleCommand(const Args& args);
int ReadCommand(const Args& args);

std::span<const Command> AllCommands() {
  static const Command kCommands[] = {
      {"enums", 0, 0, &Enums},   {"enum", 1, 1, &Enum},   {"models", 0, 0, &Models}, {"model", 1, 1, &Model},
      {"params", 0, 0, &Params}, {"trace", 1, 1, &Trace}, {"write", 1, 1, &WriteCommand},
      {"sample", 1, 3, &SampleCommand}, {"read", 0, 1, &ReadCommand}, {"demo", 0, 0, &Demo},
  };
  return kCommands;
}

}  // namespace pmtool
