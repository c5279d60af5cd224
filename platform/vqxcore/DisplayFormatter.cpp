#include "vqxcore/DisplayFormatter.h"

#include <atomic>
#include <string>
#include <variant>

#include "vqxcoredata/Tuple.h"
#include "vqxdatamodel/Schema.h"

MultiValueDisplayFormatter::MultiValueDisplayFormatter(unsigned int lcid, const ValueDisplayContext& context)
    : m_lcid(lcid), m_context(context) {}

void MultiValueDisplayFormatter::InitMVDFForDisplay(const IField& field, bool aggregate) {
  m_field = &field;
  m_aggregate = aggregate;
}

namespace {
TString Plain(const DataValue& v) {
  struct Visitor {
    TString operator()(std::monostate) const { return TString(u"Null"); }
    TString operator()(bool b) const { return TString(b ? u"True" : u"False"); }
    TString operator()(std::int64_t i) const { return TString::FromAscii(std::to_string(i)); }
    TString operator()(double d) const {
      std::string s = std::to_string(d);
      s.erase(s.find_last_not_of('0') + 1);
      if (!s.empty() && s.back() == '.') s.pop_back();
      return TString::FromAscii(s);
    }
    TString operator()(const TString& s) const { return s; }
  };
  return std::visit(Visitor{}, v.Get());
}
}  // namespace

TString MultiValueDisplayFormatter::Apply(const Tuple& tuple, const Schema& schema) const {
  TString out;
  bool first = true;
  for (const DataValue& v : tuple.GetValues()) {
    if (!first) out.Append(m_context.valueSeparator.View());
    first = false;
    const TString text = Plain(v);
    const TString* alias = schema.FindAlias(text);
    out.Append((alias ? *alias : text).View());
  }
  return out;
}

namespace LocaleHelper {
namespace {
std::atomic<unsigned int> g_lcid{1033};
}
unsigned int GetSessionLCID() { return g_lcid.load(); }
void SetSessionLCID(unsigned int lcid) { g_lcid.store(lcid); }
}  // namespace LocaleHelper
