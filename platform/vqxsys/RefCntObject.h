#pragma once
// Intrusive, thread-safe reference counting: the base of models, serializers and parameters.

#pragma GCC visibility push(default)

#include <atomic>
#include <cstdint>

class RefCntObject {
 public:
  RefCntObject() = default;
  RefCntObject(const RefCntObject&) : m_count(0) {}
  RefCntObject& operator=(const RefCntObject&) { return *this; }

  void AddReference() const { m_count.fetch_add(1, std::memory_order_relaxed); }
  void RemoveReference() const {
    if (m_count.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  // Called once on a new object, before it is handed out.
  void SetRefCountToOne() const { m_count.store(1, std::memory_order_relaxed); }
  std::int32_t GetRefCount() const { return m_count.load(std::memory_order_relaxed); }

 protected:
  virtual ~RefCntObject();

 private:
  mutable std::atomic<std::int32_t> m_count{0};
};

#pragma GCC visibility pop
