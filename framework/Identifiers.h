#pragma once
// Identifier value classes: a TUUID in a polymorphic value, one class per kind of
// identifier so that a type test tells the kinds apart.

#pragma GCC visibility push(default)

#include "vqxcoreplatform/TUUID.h"

class SimpleIdentifier {
 public:
  SimpleIdentifier() = default;
  explicit SimpleIdentifier(const TUUID& uuid) : m_uuid(uuid) {}
  SimpleIdentifier(const SimpleIdentifier&) = default;
  SimpleIdentifier& operator=(const SimpleIdentifier&) = default;
  virtual ~SimpleIdentifier();

  virtual bool operator==(const SimpleIdentifier& other) const;
  virtual bool operator!=(const SimpleIdentifier& other) const;
  virtual bool operator<(const SimpleIdentifier& other) const;
  virtual bool operator>(const SimpleIdentifier& other) const;
  // Option 0: the identifier's own text; 1: its text without braces. Any other option
  // raises the logic error "SimpleIdentifierFormatOption case not implemented.".
  virtual TString ToString(int formatOption = 0) const;
  virtual bool IsNull() const;

  const TUUID& GetUUID() const { return m_uuid; }

 private:
  TUUID m_uuid;
};

class ObjectIdentifier : public SimpleIdentifier {
 public:
  using SimpleIdentifier::SimpleIdentifier;
  ~ObjectIdentifier() override;
};

class StateIdentifier : public SimpleIdentifier {
 public:
  using SimpleIdentifier::SimpleIdentifier;
  ~StateIdentifier() override;
};

class SlideIdentifier : public SimpleIdentifier {
 public:
  using SimpleIdentifier::SimpleIdentifier;
  ~SlideIdentifier() override;
};

#pragma GCC visibility pop
