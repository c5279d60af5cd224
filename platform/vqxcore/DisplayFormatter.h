#pragma once
// Display of data values: the formatter that renders the values of a tuple as one text,
// the display context it works in, and the user's locale.

#pragma GCC visibility push(default)

#include "vqxcoreplatform/TString.h"

class IField;
class Schema;
class Tuple;

// What a document tells the formatter about how values are shown.
struct ValueDisplayContext {
  TString valueSeparator = TString(u", ");
};

class MultiValueDisplayFormatter {
 public:
  MultiValueDisplayFormatter(unsigned int lcid, const ValueDisplayContext& context);
  // Prepares display of values of the field, aggregated or not.
  void InitMVDFForDisplay(const IField& field, bool aggregate);
  // The tuple's values as one text, each replaced by its alias in the schema when it has one.
  TString Apply(const Tuple& tuple, const Schema& schema) const;

  unsigned int GetLCID() const { return m_lcid; }
  const IField* GetField() const { return m_field; }
  bool IsAggregate() const { return m_aggregate; }

 private:
  unsigned int m_lcid;
  ValueDisplayContext m_context;
  const IField* m_field = nullptr;
  bool m_aggregate = false;
};

namespace LocaleHelper {
// The locale of the user's session (1033 until set).
unsigned int GetSessionLCID();
void SetSessionLCID(unsigned int lcid);
}  // namespace LocaleHelper

#pragma GCC visibility pop
