#include "vqxcoredata/Tuple.h"

#include <functional>
#include <variant>

Tuple::~Tuple() = default;

namespace {
std::size_t HashOf(const DataValue& v) {
  struct Visitor {
    std::size_t operator()(std::monostate) const { return 0x9e37u; }
    std::size_t operator()(bool b) const { return std::hash<bool>()(b); }
    std::size_t operator()(std::int64_t i) const { return std::hash<std::int64_t>()(i); }
    std::size_t operator()(double d) const { return std::hash<double>()(d); }
    std::size_t operator()(const TString& s) const { return std::hash<TString>()(s); }
  };
  return std::visit(Visitor{}, v.Get()) ^ v.Get().index();
}
}  // namespace

std::size_t Tuple::Hash() const {
  std::size_t h = m_values.size();
  for (const DataValue& v : m_values) h = h * 1000003u ^ HashOf(v);
  return h;
}
