// The categorical filter's queries over the members that live only in the process that
// built it: the field, the domain and the selected tuples.

#include <iterator>

#include "models/FiltersModels.h"
#include "vqxcore/DisplayFormatter.h"

namespace {
[[noreturn]] void Violated(int line, const char* assertion) {
  ThrowLogicAssert("CategoricalFilterPresModel", line, assertion);
}
}  // namespace

bool CategoricalFilterPresModel::AllowAllRange() const {
  if (!m_Field) return false;
  if (VisualPredicates::IsMeasureNames(*m_Field)) return false;
  return !m_Field->IsAllRangeDisallowed();
}

bool CategoricalFilterPresModel::AllowManualRange() const { return CategoricalFilterModel::SupportsManualFilter(m_Field); }

TString CategoricalFilterPresModel::GetDisplayText(const Tuple& tuple) const {
  if (!m_Schema || !m_WorksheetDoc || !m_Field) return TString();
  MultiValueDisplayFormatter formatter(LocaleHelper::GetSessionLCID(), m_WorksheetDoc->GetValueDisplayContext());
  formatter.InitMVDFForDisplay(*m_Field, m_WorksheetDoc->GetVisualSpecification().GetAggregateFlag());
  return formatter.Apply(tuple, *m_Schema);
}

unsigned int CategoricalFilterPresModel::GetDomainTupleCount() const {
  return static_cast<unsigned int>(m_Domain->GetSize());
}

RefCntPtr<Tuple> CategoricalFilterPresModel::GetDomainTuple(std::uint64_t index) const {
  if (!(GetDomainTupleCount() > index)) Violated(__LINE__, "GetDomainTupleCount() > index");
  return m_Domain->GetValues()[static_cast<std::size_t>(index)];
}

// The selected-tuples domain, when set, stands for the set of selected tuples.
unsigned int CategoricalFilterPresModel::GetSelectedTupleCount() const {
  if (m_SelectedTuplesDomain) return static_cast<unsigned int>(m_SelectedTuplesDomain->GetSize());
  return static_cast<unsigned int>(m_SelectedTuples.size());
}

RefCntPtr<Tuple> CategoricalFilterPresModel::GetSelectedTuple(std::uint64_t index) const {
  if (m_SelectedTuplesDomain) {
    if (!(m_SelectedTuplesDomain->GetSize() > index)) Violated(__LINE__, "m_selectedTuplesDomain->GetSize() > index");
    return m_SelectedTuplesDomain->GetValues()[static_cast<std::size_t>(index)];
  }
  if (!(GetSelectedTuples().size() > index)) Violated(__LINE__, "GetSelectedTuples().size() > index");
  return *std::next(m_SelectedTuples.begin(), static_cast<std::ptrdiff_t>(index));
}

bool CategoricalFilterPresModel::IsTupleSelected(const RefCntPtr<Tuple>& tuple) const {
  if (m_SelectedTuplesDomain) return m_SelectedTuplesDomain->HasValue(tuple);
  return m_SelectedTuples.count(tuple) != 0;
}
