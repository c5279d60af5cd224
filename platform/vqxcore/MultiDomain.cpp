#include "vqxcore/MultiDomain.h"

MultiDomain::~MultiDomain() = default;

bool MultiDomain::AddValue(RefCntPtr<Tuple> tuple) {
  if (!tuple) ThrowNullPointerDereferenced();
  if (!m_index.insert(tuple).second) return false;
  m_values.push_back(std::move(tuple));
  return true;
}
