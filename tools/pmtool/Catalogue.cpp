// Commands that list the catalogue: enumerations, models, members and parameters.

#include <charconv>
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
  ThrowUnknown("enumeration", name, EnumNames());
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

// A parameter by name or by id (0x and eight hexadecimal digits).
std::uint32_t ParameterNamed(std::string_view text) {
  for (const ParameterName& n : AllParameterNames())
    if (text == n.name) return n.id;
  if (text.size() == 10 && text.substr(0, 2) == "0x") {
    std::uint32_t id = 0;
    const auto [end, ec] = std::from_chars(text.data() + 2, text.data() + text.size(), id, 16);
    if (ec == std::errc() && end == text.data() + text.size()) return id;
  }
  std::vector<std::string_view> names;
  for (const ParameterName& n : AllParameterNames()) names.emplace_back(n.name);
  ThrowUnknown("parameter", text, names);
}

}  // namespace

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

int Model(const Args& args) {
  PrintMembers(ModelNamed(args[0]));
  return 0;
}

int Params(const Args&) {
  for (const ParameterName& n : AllParameterNames()) std::printf("0x%08x\t%s\n", n.id, n.name);
  return 0;
}

int Param(const Args& args) {
  const std::uint32_t id = ParameterNamed(args[0]);
  const char* name = FindParameterName(id);
  std::printf("0x%08x\t%s\n", id, name ? name : "-");
  for (ModelInfoGetter get : AllModels()) {
    const ModelInfo& m = get();
    if (m.defaultId == id) std::printf("%s\t-\tdefault id\n", m.name);
    if (m.typeId == id) std::printf("%s\t-\tdiscriminant value\n", m.name);
    for (const MemberInfo& member : m.members) {
      if (member.id == id) std::printf("%s\t%s\t%s\n", m.name, member.stem, EncodingKindWord(member.codec->kind));
      if (member.codec->kind == EncodingKind::StructureList && member.itemId == id)
        std::printf("%s\t%s\titem id\n", m.name, member.stem);
    }
  }
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

const ModelInfo& ModelNamed(std::string_view name) {
  if (const ModelInfo* m = FindModel(name)) return *m;
  ThrowUnknown("model", name, ModelNames());
}

std::vector<std::string_view> ModelNames() {
  std::vector<std::string_view> out;
  for (ModelInfoGetter get : AllModels()) out.emplace_back(get().name);
  return out;
}

std::vector<std::string_view> EnumNames() {
  std::vector<std::string_view> out;
  for (const EnumDescription& e : AllEnums()) out.emplace_back(e.name);
  return out;
}


}  // namespace pmtool
