// Peak heap memory of reading the benchmark document, in a binary of its own: the counting
// operator new here would tax every allocation of the timed benchmarks.

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "BenchSupport.h"
#include "vqxpreslayer/Parameters.h"
#include "wire/WireReader.h"

namespace {
std::atomic<long long> g_inUse{0}, g_peak{0};
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const long long now = g_inUse += static_cast<long long>(malloc_usable_size(p));
  long long peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  g_inUse -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

int main() {
  const WireReader reader(bench::Registry());
  bool met = true;
  for (int size = 0; size < bench::kSizes; ++size) {
    const std::string& text = bench::Text(size);
    const long long before = g_inUse.load();
    g_peak = before;
    {
      RefCntPtr<IParameters> bag = reader.Read(text);
      if (!bag) return 1;
    }
    const double above = static_cast<double>(g_peak.load() - before), bytes = static_cast<double>(text.size());
    met = met && above <= 2 * bytes;
    std::printf("%-6s peak heap of a read %6.1f MB above the %6.1f MB text: %.2fx   (target at most 2x: %s)\n",
                bench::SizeName(size), above / 1048576, bytes / 1048576, above / bytes,
                above <= 2 * bytes ? "met" : "MISSED");
  }
  return met ? 0 : 1;
}
