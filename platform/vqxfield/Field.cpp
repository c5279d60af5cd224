#include "vqxfield/Field.h"

IField::~IField() = default;

namespace VisualPredicates {
bool IsMeasureNames(const IField& field) { return field.GetName() == FieldName(TString(u"[:Measure Names]")); }
}  // namespace VisualPredicates
