#pragma once
// RefCntPtr<T>: holds one reference to a RefCntObject. Dereferencing an empty handle
// raises the null-pointer logic assertion.

#pragma GCC visibility push(default)

#include <cstddef>
#include <type_traits>
#include <utility>

#include "vqxsys/OrrelinException.h"
#include "vqxsys/RefCntObject.h"

// What every RefCntPtr<T> is apart from its type: the counted object it holds a reference
// to. Code that handles handles of any type (the generic readers and writers of models)
// reaches each RefCntPtr<T> as its RefCntHandle; a RefCntPtr<T> adds nothing to it, so that
// the two share their address.
class RefCntHandle {
 public:
  const RefCntObject* Object() const noexcept { return m_object; }
  explicit operator bool() const noexcept { return m_object != nullptr; }
  // Holds `object` instead, with a reference of its own. The caller makes sure that the
  // object is of the handle's type.
  void Reset(const RefCntObject* object) noexcept {
    if (object) object->AddReference();
    Release(std::exchange(m_object, object));
  }

 protected:
  RefCntHandle() noexcept = default;
  explicit RefCntHandle(const RefCntObject* object) noexcept : m_object(object) {}
  ~RefCntHandle() { Release(m_object); }
  RefCntHandle(const RefCntHandle&) = delete;
  RefCntHandle& operator=(const RefCntHandle&) = delete;

  static void Release(const RefCntObject* object) noexcept {
    if (object) object->RemoveReference();
  }

  const RefCntObject* m_object = nullptr;
};

template <typename T>
class RefCntPtr : public RefCntHandle {
 public:
  using element_type = T;

  RefCntPtr() noexcept = default;
  RefCntPtr(std::nullptr_t) noexcept {}  // NOLINT(google-explicit-constructor)
  // Shares an object that is already counted: adds a reference.
  explicit RefCntPtr(T* p) noexcept : RefCntHandle(p) {
    if (p) p->AddReference();
  }
  RefCntPtr(const RefCntPtr& o) noexcept : RefCntHandle(o.m_object) {
    if (m_object) m_object->AddReference();
  }
  RefCntPtr(RefCntPtr&& o) noexcept : RefCntHandle(std::exchange(o.m_object, nullptr)) {}
  template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RefCntPtr(const RefCntPtr<U>& o) noexcept : RefCntPtr(o.get()) {}  // NOLINT
  template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  RefCntPtr(RefCntPtr<U>&& o) noexcept : RefCntHandle(static_cast<T*>(o.release())) {}  // NOLINT
  ~RefCntPtr() = default;

  RefCntPtr& operator=(RefCntPtr o) noexcept {
    std::swap(m_object, o.m_object);
    return *this;
  }

  // Takes over a reference that the caller already owns.
  static RefCntPtr Adopt(T* p) noexcept {
    RefCntPtr r;
    r.m_object = p;
    return r;
  }
  T* release() noexcept { return Typed(std::exchange(m_object, nullptr)); }

  T* get() const noexcept { return Typed(m_object); }
  T& operator*() const {
    if (!m_object) ThrowNullPointerDereferenced();
    return *get();
  }
  T* operator->() const {
    if (!m_object) ThrowNullPointerDereferenced();
    return get();
  }
  explicit operator bool() const noexcept { return m_object != nullptr; }

  friend bool operator==(const RefCntPtr& a, const RefCntPtr& b) noexcept { return a.m_object == b.m_object; }
  friend bool operator==(const RefCntPtr& a, std::nullptr_t) noexcept { return a.m_object == nullptr; }

 private:
  static T* Typed(const RefCntObject* object) noexcept {
    return const_cast<T*>(static_cast<const T*>(object));
  }
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

#pragma GCC visibility pop
