#pragma once
#include <chrono>

namespace tongshu {

// Today's date, replaceable in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::year_month_day today() const = 0;
};

// The local date of the system clock.
class SystemClock final : public Clock {
 public:
  std::chrono::year_month_day today() const override;
};

}  // namespace tongshu
