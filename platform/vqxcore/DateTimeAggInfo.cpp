#include "vqxcore/DateTimeAggInfo.h"

#include <utility>

namespace {
constexpr DateTimeAggInfo kDateAggs[] = {
    {AggType::Year, true, true},          {AggType::Quarter, true, true},  {AggType::Month, true, true},
    {AggType::Week, true, true},          {AggType::Day, true, true},      {AggType::Hour, true, true},
    {AggType::Minute, true, true},        {AggType::Second, true, true},   {AggType::Weekday, false, true},
    {AggType::MonthDay, true, false},     {AggType::None, true, false},
};

constexpr std::pair<AggType, const char16_t*> kNames[] = {
    {AggType::Sum, u"Sum"},         {AggType::Avg, u"Average"},     {AggType::Min, u"Minimum"},
    {AggType::Max, u"Maximum"},     {AggType::Count, u"Count"},     {AggType::Median, u"Median"},
    {AggType::Year, u"Year"},       {AggType::Quarter, u"Quarter"}, {AggType::Month, u"Month"},
    {AggType::Week, u"Week Number"}, {AggType::Day, u"Day"},        {AggType::Hour, u"Hour"},
    {AggType::Minute, u"Minute"},   {AggType::Second, u"Second"},   {AggType::Weekday, u"Weekday"},
    {AggType::MonthDay, u"Month / Day"},
};
}  // namespace

std::span<const DateTimeAggInfo> GetDateTimeAggInfo() { return kDateAggs; }

TString DisplayStrFromAggTypePretty(AggType agg) {
  for (const auto& [a, name] : kNames)
    if (a == agg) return TString(name);
  return TString();
}
