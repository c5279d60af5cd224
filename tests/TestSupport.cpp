#include "TestSupport.h"

#include <algorithm>
#include <cstdio>

namespace test {

bool Writes(const std::vector<std::string>& out, const std::string& prefix) {
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

bool WritesId(const std::vector<std::string>& out, std::uint32_t id) {
  const std::string hex = Hex(id);
  return std::any_of(out.begin(), out.end(), [&](const std::string& l) { return l.find(hex) != std::string::npos; });
}

std::string Hex(std::uint32_t id) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08x", id);
  return hex;
}

std::string Param(std::uint32_t id, const std::string& text) { return "Parameter " + Hex(id) + " " + text; }

std::vector<std::string> TopLevel(const std::vector<std::string>& out) {
  std::vector<std::string> top;
  int depth = 0;
  for (const std::string& l : out) {
    if (l == "End") {
      --depth;
      continue;
    }
    if (depth == 0) top.push_back(l);
    if (l.rfind("Begin ", 0) == 0) ++depth;
  }
  return top;
}

std::vector<std::uint32_t> TopIds(const std::vector<std::string>& out) {
  std::vector<std::uint32_t> ids;
  for (const std::string& line : TopLevel(out)) {
    const auto at = line.find("0x");
    if (at != std::string::npos)
      ids.push_back(static_cast<std::uint32_t>(std::stoul(line.substr(at, 10), nullptr, 16)));
  }
  return ids;
}

bool HasRun(const std::vector<std::string>& out, const std::vector<std::string>& run) {
  return std::search(out.begin(), out.end(), run.begin(), run.end()) != out.end();
}

void ExpectWrites(std::span<const WriteCase> cases) {
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> out = c.write();
    auto at = out.begin();
    for (const std::string& line : c.present) {
      at = std::find(at, out.end(), line);
      if (at == out.end()) {
        ADD_FAILURE() << "not written, or not in this order: " << line << "\nin " << testing::PrintToString(out);
        break;
      }
      ++at;
    }
    for (const std::string& prefix : c.absent) EXPECT_FALSE(Writes(out, prefix)) << prefix;
    if (c.members >= 0) {
      EXPECT_EQ(TopLevel(out).size(), static_cast<std::size_t>(c.members));
    }
  }
}

RefCntPtr<const FieldCaptionPairPresModel> Pair(const char16_t* field, const char16_t* caption) {
  auto p = MakeRefCnt<FieldCaptionPairPresModel>();
  p->SetFieldName(FieldName(TString(field)));
  p->SetFieldCaption(TString(caption));
  return p;
}

}  // namespace test
