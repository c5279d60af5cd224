#include "vqxdatamodel/Schema.h"

Schema::~Schema() = default;

const TString* Schema::FindAlias(const TString& valueText) const {
  auto it = m_aliases.find(valueText);
  return it == m_aliases.end() ? nullptr : &it->second;
}
