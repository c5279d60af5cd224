// Page arithmetic of a page cache: which page holds a row or a column.

#include "models/PageCacheModels.h"

namespace {
// Page counts are positive or -1 (all in one page). The count is taken as unsigned, so a
// negative count other than -1 divides as a number above two thousand million; a count of
// 0 would divide by zero and keeps everything on page 0 instead.
unsigned int PageOf(unsigned int index, int pageCount) {
  if (pageCount == -1 || pageCount == 0) return 0;
  return index / static_cast<unsigned int>(pageCount);
}
}  // namespace

bool PageCacheIDPresModel::UsingAllRows() const { return GetPageRowCount() == AllRows; }
bool PageCacheIDPresModel::UsingAllColumns() const { return GetPageColumnCount() == AllColumns; }
unsigned int PageCacheIDPresModel::CalculateCacheRow(unsigned int row) const { return PageOf(row, GetPageRowCount()); }
unsigned int PageCacheIDPresModel::CalculateCacheColumn(unsigned int column) const {
  return PageOf(column, GetPageColumnCount());
}
