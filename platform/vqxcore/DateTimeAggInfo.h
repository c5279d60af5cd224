#pragma once
// The date levels of the application core: the table of date aggregations in the order a
// date field offers them, and their display names.

#pragma GCC visibility push(default)

#include <span>

#include "HostEnums.h"
#include "vqxcoreplatform/TString.h"

struct DateTimeAggInfo {
  AggType agg;
  bool canBeWholeDate;  // the level can bin a whole date (a truncated date)
  bool canBeDatePart;   // the level can be a part of a date (a year, a month number ...)
};

// The date aggregations in display order.
std::span<const DateTimeAggInfo> GetDateTimeAggInfo();

// The display name of an aggregation, e.g. "Quarter".
TString DisplayStrFromAggTypePretty(AggType agg);

#pragma GCC visibility pop
