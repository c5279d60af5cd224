#pragma once
// RefCntPtr<T>: holds one reference to a RefCntObject. Dereferencing an empty handle
// raises the null-pointer logic assertion.

#include <cstddef>
#include <type_traits>
#include <utility>

#include "vqxsys/OrrelinException.h"
#include "vqxsys/RefCntObject.h"

template <typename T>
class RefCntPtr {
 public:
  using element_type = T;

  RefCntPtr() noexcept = default;
  RefCntPtr(std::nullptr_t) noexcept {}  // NOLINT(google-explicit-constructor)
  // Shares an object that is already counted: adds a reference.
  explicit RefCntPtr(T* p) noexcept : m_p(p) {
    if (m_p) m_p->AddReference();
  }
  RefCntPtr(const RefCntPtr& o) noexcept : RefCntPtr(o.m_p) {}
  RefCntPtr(RefCntPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
  template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RefCntPtr(const RefCntPtr<U>& o) noexcept : RefCntPtr(o.get()) {}  // NOLINT
  template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RefCntPtr(RefCntPtr<U>&& o) noexcept : m_p(o.release()) {}  // NOLINT
  ~RefCntPtr() {
    if (m_p) m_p->RemoveReference();
  }

  RefCntPtr& operator=(RefCntPtr o) noexcept {
    std::swap(m_p, o.m_p);
    return *this;
  }

  // Takes over a reference that the caller already owns.
  static RefCntPtr Adopt(T* p) noexcept {
    RefCntPtr r;
    r.m_p = p;
    return r;
  }
  T* release() noexcept { return std::exchange(m_p, nullptr); }

  T* get() const noexcept { return m_p; }
  T& operator*() const {
    if (!m_p) ThrowNullPointerDereferenced();
    return *m_p;
  }
  T* operator->() const {
    if (!m_p) ThrowNullPointerDereferenced();
    return m_p;
  }
  explicit operator bool() const noexcept { return m_p != nullptr; }

  friend bool operator==(const RefCntPtr& a, const RefCntPtr& b) noexcept { return a.m_p == b.m_p; }
  friend bool operator==(const RefCntPtr& a, std::nullptr_t) noexcept { return a.m_p == nullptr; }

 private:
  T* m_p = nullptr;
};

// Allocates, constructs, sets the count to one and hands the object out.
template <typename T, typename... Args>
RefCntPtr<T> MakeRefCnt(Args&&... args) {
  T* p = new T(std::forward<Args>(args)...);
  p->SetRefCountToOne();
  return RefCntPtr<T>::Adopt(p);
}

template <typename T, typename U>
RefCntPtr<T> StaticRefCast(const RefCntPtr<U>& p) noexcept {
  return RefCntPtr<T>(static_cast<T*>(p.get()));
}
template <typename T, typename U>
RefCntPtr<T> ConstRefCast(const RefCntPtr<U>& p) noexcept {
  return RefCntPtr<T>(const_cast<T*>(p.get()));
}
