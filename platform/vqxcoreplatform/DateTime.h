#pragma once
// A point in time of the application core: seconds since 1970-01-01 UTC. A default-made
// DateTime holds no time.

#pragma GCC visibility push(default)

#include <cstdint>
#include <optional>

class DateTime {
 public:
  DateTime() = default;
  explicit DateTime(std::int64_t secondsSinceEpoch) : m_seconds(secondsSinceEpoch) {}
  bool IsValid() const { return m_seconds.has_value(); }
  std::int64_t SecondsSinceEpoch() const { return m_seconds.value_or(0); }
  friend bool operator==(const DateTime&, const DateTime&) = default;

 private:
  std::optional<std::int64_t> m_seconds;
};

#pragma GCC visibility pop
