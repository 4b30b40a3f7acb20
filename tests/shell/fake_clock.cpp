#include "shell/fake_clock.h"

#include <dlfcn.h>

#include <mutex>
#include <utility>

namespace {

constexpr long long kNanosecondsPerSecond = 1000000000;

std::mutex g_mutex;
bool g_running = false;
long long g_next = 0;  // nanoseconds since the epoch
long g_step = 0;
std::vector<struct timespec> g_readings;

// The next instant, or false while the real clock runs.
bool FakeReading(struct timespec* reading) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_running) return false;
  *reading = {static_cast<time_t>(g_next / kNanosecondsPerSecond),
              static_cast<long>(g_next % kNanosecondsPerSecond)};
  g_readings.push_back(*reading);
  g_next += g_step;
  return true;
}

}  // namespace

namespace fake_clock {

void Run(const struct timespec& first, long stepNanoseconds) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_running = true;
  g_next = first.tv_sec * kNanosecondsPerSecond + first.tv_nsec;
  g_step = stepNanoseconds;
  g_readings.clear();
}

std::vector<struct timespec> Stop() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_running = false;
  return std::move(g_readings);
}

}  // namespace fake_clock

#define FAKE_CLOCK_EXPORT __attribute__((visibility("default")))

// This takes the C library's place for every object of the process (the executable exports it),
// and hands on to it while no fake clock runs.
extern "C" FAKE_CLOCK_EXPORT int clock_gettime(clockid_t clock, struct timespec* reading) noexcept {
  static const auto real =
      reinterpret_cast<int (*)(clockid_t, struct timespec*)>(dlsym(RTLD_NEXT, "clock_gettime"));
  if (clock == CLOCK_REALTIME && FakeReading(reading)) return 0;
  return real(clock, reading);
}
