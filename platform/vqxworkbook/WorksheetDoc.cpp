#include "vqxworkbook/WorksheetDoc.h"

IWorksheetDoc::~IWorksheetDoc() = default;

namespace CategoricalFilterModel {
bool SupportsManualFilter(const IField* field) { return field != nullptr; }
}  // namespace CategoricalFilterModel
