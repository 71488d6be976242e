#pragma once

namespace tessaline::platform {

// A point in the user's local time, split into its calendar fields.
struct LocalTime {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  int hour = 0;   // 0-23
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

}  // namespace tessaline::platform
