// The wall clock of the whole process, the loaded data source's included, under a test's
// control: while it runs, every reading of the real-time clock through clock_gettime, the one the
// data source takes its time from, gets the next instant of a series, and is kept. A reading by
// other means gets the real time, which tests of the fake clock's instants then see.
#pragma once

#include <ctime>
#include <vector>

namespace fake_clock {

// From now on readings start at `first` and go on by `stepNanoseconds` each (0: time stands).
void Run(const struct timespec& first, long stepNanoseconds);
// Back to the real clock; returns the instants handed out, in order.
std::vector<struct timespec> Stop();

}  // namespace fake_clock
