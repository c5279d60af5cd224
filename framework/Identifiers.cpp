#include "framework/Identifiers.h"

#include "vqxsys/OrrelinException.h"

SimpleIdentifier::~SimpleIdentifier() = default;
ObjectIdentifier::~ObjectIdentifier() = default;
StateIdentifier::~StateIdentifier() = default;
SlideIdentifier::~SlideIdentifier() = default;

bool SimpleIdentifier::operator==(const SimpleIdentifier& other) const { return m_uuid == other.m_uuid; }
bool SimpleIdentifier::operator!=(const SimpleIdentifier& other) const { return !(*this == other); }
bool SimpleIdentifier::operator<(const SimpleIdentifier& other) const { return m_uuid < other.m_uuid; }
bool SimpleIdentifier::operator>(const SimpleIdentifier& other) const { return m_uuid > other.m_uuid; }
bool SimpleIdentifier::IsNull() const { return m_uuid.IsNull(); }

TString SimpleIdentifier::ToString(int formatOption) const {
  switch (formatOption) {
    case 0: return m_uuid.ToString(0);
    case 1: return m_uuid.ToString(1);
    default: ThrowLogicAssert("SimpleIdentifier", 56, "SimpleIdentifierFormatOption case not implemented.");
  }
}
