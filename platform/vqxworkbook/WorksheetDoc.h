#pragma once
// The worksheet document as the filter models see it: its VisualSpecification and the
// display context of its values; and the filter model's capabilities per field.

#pragma GCC visibility push(default)

#include "vqxcore/DisplayFormatter.h"

class IField;

class VisualSpecification {
 public:
  // Whether the visual aggregates its measures.
  bool GetAggregateFlag() const { return m_aggregate; }
  void SetAggregateFlag(bool aggregate) { m_aggregate = aggregate; }

 private:
  bool m_aggregate = true;
};

class IWorksheetDoc {
 public:
  virtual ~IWorksheetDoc();
  virtual const VisualSpecification& GetVisualSpecification() const = 0;
  virtual const ValueDisplayContext& GetValueDisplayContext() const = 0;
};

namespace CategoricalFilterModel {
// Whether a filter on the field may keep a hand-picked list of members; never without a field.
bool SupportsManualFilter(const IField* field);
}  // namespace CategoricalFilterModel

#pragma GCC visibility pop
