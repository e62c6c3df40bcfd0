#pragma once
// The current local time (tests fix it).

namespace tenzora {

struct LocalTime {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
};

// The system clock through the C library (local time zone).
class SystemClock : public Clock {
  public:
    LocalTime now() override;
};

class FixedClock : public Clock {
  public:
    explicit FixedClock(LocalTime t) : time(t) {}
    LocalTime now() override { return time; }
    LocalTime time;
};

} // namespace tenzora
