#pragma once
// IField: the host's interface of one field of a data source, and the predicates the
// visual layer asks of fields.

#pragma GCC visibility push(default)

#include "vqxcoredata/ValueClasses.h"

class IField {
 public:
  virtual ~IField();
  virtual const FieldName& GetName() const = 0;
  // True for a field whose filters may not keep every member (no "all" range).
  virtual bool IsAllRangeDisallowed() const = 0;
};

namespace VisualPredicates {
// The field that stands for the names of the measures of a visual.
bool IsMeasureNames(const IField& field);
}  // namespace VisualPredicates

#pragma GCC visibility pop
