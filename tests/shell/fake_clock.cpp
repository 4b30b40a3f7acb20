#include "shell/fake_clock.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <utility>

namespace {

std::mutex g_mutex;
std::atomic<bool> g_running{false};
struct timespec g_next {};
long g_step = 0;
std::vector<struct timespec> g_readings;

// The next instant, or false while the real clock runs.
bool FakeReading(struct timespec* reading) {
  if (!g_running) return false;  // no lock on the real clock's path
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_running) return false;
  *reading = g_next;
  g_readings.push_back(g_next);
  g_next.tv_nsec += g_step;
  g_next.tv_sec += g_next.tv_nsec / 1000000000;
  g_next.tv_nsec %= 1000000000;
  return true;
}

}  // namespace

namespace fake_clock {

void Run(const struct timespec& first, long stepNanoseconds) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_running = true;
  g_next = first;
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
