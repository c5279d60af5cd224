// The date bin dialog's options: the date levels of the core's aggregation table that the
// field offers, in table order, and the translation between a position among them and the
// level.

#include <algorithm>

#include "models/DateBinModels.h"
#include "vqxcore/DateTimeAggInfo.h"
#include "vqxcoreplatform/StringResources.h"

namespace {

// The level that bins nothing away: the exact date. It is also the answer when a position
// names no level.
constexpr AggType kExactDate = AggType::None;  // 12
constexpr std::uint32_t kExactDateText = 381110460u;
constexpr std::uint32_t kExactDateAbbreviation = 0xBC871A5Eu;

bool Offers(const std::vector<AggType>& offered, AggType agg) {
  return std::find(offered.begin(), offered.end(), agg) != offered.end();
}

}  // namespace

void DateBinDialogPresModel::AddOptions(const std::vector<AggType>& offered) {
  for (const DateTimeAggInfo& entry : GetDateTimeAggInfo()) {
    if (!Offers(offered, entry.agg)) continue;
    auto option = MakeRefCnt<DateBinDialogOptionPresModel>();
    if (entry.agg == kExactDate) {
      option->SetString(LookupTStr(kExactDateText));
      option->SetAbbreviation(LookupTStr(kExactDateAbbreviation));
    } else {
      const TString name = DisplayStrFromAggTypePretty(entry.agg);
      option->SetString(name);
      option->SetAbbreviation(name);
    }
    option->SetAllowWholeDate(entry.canBeWholeDate);
    option->SetForceWholeDate(!entry.canBeDatePart);
    AddDateOption(std::move(option));
  }
}

AggType DateBinDialogPresModel::AggFromIndex(int index, const std::vector<AggType>& offered) {
  const auto table = GetDateTimeAggInfo();
  if (index < 0 || static_cast<std::size_t>(index) >= table.size() || offered.empty()) return kExactDate;
  int position = 0;
  for (const DateTimeAggInfo& entry : table) {
    if (!Offers(offered, entry.agg)) continue;
    if (position == index) return entry.agg;
    ++position;
  }
  return kExactDate;
}

int DateBinDialogPresModel::IndexFromAgg(AggType agg, const std::vector<AggType>& offered) {
  int position = 0;
  for (const DateTimeAggInfo& entry : GetDateTimeAggInfo()) {
    if (!Offers(offered, entry.agg)) continue;
    if (entry.agg == agg) return position;
    ++position;
  }
  return -1;
}
