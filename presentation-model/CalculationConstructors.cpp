// Constructors of calculation-editor models from the values they are made for; the other
// members keep their starting values.

#include "models/CalculationModels.h"

AutoCompleteItemPresModel::AutoCompleteItemPresModel(AutoCompleteItemType type) : AutoCompleteItemPresModel() {
  m_ItemType = type;
}

ExpressionTokenPresModel::ExpressionTokenPresModel(Expression::Op type, const TString& sourceText, int position)
    : ExpressionTokenPresModel() {
  m_Type = type;
  m_SourceText = sourceText;
  m_Position = position;
}
