#pragma once
// PresentationModel: the base of every presentation model. Carries the serialized-value
// cache: the recorded text of the model's first complete write.
//
// Threads. Nothing here takes a lock. A model is filled by the thread that made it and,
// once handed out as RefCntPtr<const T>, only read. Writing a model is not a pure read: its
// first complete write records the cache, and the writers of a model hierarchy set and
// clear the hierarchy's serializing flags while they write; both happen through const
// access. So:
//  - any number of threads may call a shared model's getters at once;
//  - two threads may write one model at once only when neither write changes it: its text
//    was recorded by a complete write that happened before both (or it is a model always
//    written afresh and outside any hierarchy), and the same holds for every model nested
//    in it. Otherwise one model must never be written by two threads at once, and that
//    includes models nested in several trees: two trees that share a nested model must not
//    be written at the same time until the shared model has been written once (write one
//    of the trees first, then hand both on);
//  - a model must not be changed once handed out (its recorded text stands for it).
// Builds without NDEBUG check the second rule: a write that meets another thread's write of
// the same model raises the logic assertion "model X written by two threads at once"
// before it changes the model.

#pragma GCC visibility push(default)

#include <atomic>
#include <cstdint>
#include <string>

#include "vqxsys/RefCntPtr.h"

class IParameters;

// Text recorded by a cursor's capture and replayed in place of a second write.
using CapturedText = std::string;

// Which threads are writing a model right now: the debug check's record, kept by the
// writer (framework/ModelSerialization.cpp). It exists in every build, so that a model's
// layout does not depend on how a unit was compiled; release builds never touch it. A copy
// of a model is a model nobody is writing.
class WriteMark {
 public:
  WriteMark() = default;
  WriteMark(const WriteMark&) noexcept {}
  WriteMark& operator=(const WriteMark&) noexcept { return *this; }

  // The writing thread's number in the high half (0: none), the threads replaying the
  // recorded text or about to write in the low half.
  std::atomic<std::uint64_t>& State() const { return m_state; }

 private:
  mutable std::atomic<std::uint64_t> m_state{0};
};

class PresentationModel : public RefCntObject {
 public:
  PresentationModel() = default;

  virtual RefCntPtr<IParameters> AsIParameters() const = 0;
  virtual unsigned int GetDefaultParamID() const = 0;

  // The cache is written through const access: a model handed out is otherwise immutable.
  const CapturedText& GetSerializedVal() const { return m_serializedVal; }
  void SetSerializedVal(CapturedText text) const { m_serializedVal = std::move(text); }

  const WriteMark& GetWriteMark() const { return m_writeMark; }

 protected:
  ~PresentationModel() override;

 private:
  mutable CapturedText m_serializedVal;
  WriteMark m_writeMark;
};

#pragma GCC visibility pop
