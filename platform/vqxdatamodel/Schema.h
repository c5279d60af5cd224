#pragma once
// Schema: what the data model knows of a data source's fields when values are displayed;
// here, the aliases that replace a value's text.

#pragma GCC visibility push(default)

#include <map>

#include "vqxcoreplatform/TString.h"
#include "vqxsys/RefCntPtr.h"

class Schema : public RefCntObject {
 public:
  Schema() = default;
  void SetAlias(const TString& valueText, const TString& alias) { m_aliases.insert_or_assign(valueText, alias); }
  // Null when the value has no alias.
  const TString* FindAlias(const TString& valueText) const;

 protected:
  ~Schema() override;

 private:
  std::map<TString, TString> m_aliases;
};

#pragma GCC visibility pop
