#pragma once
// MultiDomain: the ordered, duplicate-free tuples of a domain over one or more fields.

#pragma GCC visibility push(default)

#include <cstddef>
#include <unordered_set>
#include <vector>

#include "vqxcoredata/Tuple.h"

class MultiDomain : public RefCntObject {
 public:
  MultiDomain() = default;

  std::size_t GetSize() const { return m_values.size(); }
  const std::vector<RefCntPtr<Tuple>>& GetValues() const { return m_values; }
  bool HasValue(const RefCntPtr<Tuple>& tuple) const { return m_index.count(tuple) != 0; }
  // Appends a tuple the domain does not hold yet; false when it holds an equal one.
  bool AddValue(RefCntPtr<Tuple> tuple);

 protected:
  ~MultiDomain() override;

 private:
  std::vector<RefCntPtr<Tuple>> m_values;
  std::unordered_set<RefCntPtr<Tuple>, DerefHash, DerefEquals> m_index;
};

#pragma GCC visibility pop
