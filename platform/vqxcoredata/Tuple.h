#pragma once
// Tuple: an ordered row of data values, one per field of a multi-field domain, with a hash
// and equality of its values; DerefHash and DerefEquals let sets of handles hash and
// compare the tuples they point to.

#pragma GCC visibility push(default)

#include <cstddef>
#include <vector>

#include "vqxcoredata/ValueClasses.h"
#include "vqxsys/RefCntPtr.h"

class Tuple : public RefCntObject {
 public:
  Tuple() = default;
  explicit Tuple(std::vector<DataValue> values) : m_values(std::move(values)) {}

  const std::vector<DataValue>& GetValues() const { return m_values; }
  std::size_t GetSize() const { return m_values.size(); }
  void AddValue(DataValue value) { m_values.push_back(std::move(value)); }

  std::size_t Hash() const;
  friend bool operator==(const Tuple& a, const Tuple& b) { return a.m_values == b.m_values; }

 protected:
  ~Tuple() override;

 private:
  std::vector<DataValue> m_values;
};

// Hash and equality of the objects that handles point to; an empty handle equals only an
// empty handle.
struct DerefHash {
  template <typename P>
  std::size_t operator()(const P& p) const {
    return p ? p->Hash() : 0;
  }
};
struct DerefEquals {
  template <typename P>
  bool operator()(const P& a, const P& b) const {
    return a && b ? *a == *b : !a && !b;
  }
};

#pragma GCC visibility pop
