// Analytics: reference lines, distributions, trend lines and the calculation editor.

#include <algorithm>

#include "TestSupport.h"
#include "models/CalculationModels.h"

namespace {

TEST(Calculations, ConstructorsSetOnlyWhatTheyAreGiven) {
  const auto item = MakeRefCnt<AutoCompleteItemPresModel>(static_cast<AutoCompleteItemType>(0));
  EXPECT_EQ(item->GetItemType(), static_cast<AutoCompleteItemType>(0));
  EXPECT_EQ(MakeRefCnt<AutoCompleteItemPresModel>()->GetItemType(), static_cast<AutoCompleteItemType>(2));
  const auto token = MakeRefCnt<ExpressionTokenPresModel>(static_cast<Expression::Op>(3), TString(u"SUM"), 7);
  EXPECT_EQ(token->GetSourceText(), TString(u"SUM"));
  EXPECT_EQ(token->GetPosition(), 7);
  EXPECT_EQ(token->GetType(), static_cast<Expression::Op>(3));
  // A default calculation carries its join model and writes it.
  const auto calc = MakeRefCnt<CalculationPresModel>();
  ASSERT_TRUE(calc->GetJoinOnCalcInfoPresModel());
  const auto trace = test::TraceOf(RefCntPtr<const CalculationPresModel>(calc));
  EXPECT_NE(std::find(trace.begin(), trace.end(), "Begin SubStructure 0xd6f1d7e3"), trace.end());
}

}  // namespace
