// The log file: one per load, opened when the log directory exists at load.
#pragma once

#include <cstdio>
#include <ctime>

// The open log file, or null while logging is off.
extern FILE* g_pLogFile;

// The log directory, fixed when the data source is built.
extern const char* const kTwainLogDirectory;

// Whether logging is on: the log directory exists at load.
bool setupTwainLog();
// Appends the bytes in one write, so that a text written by one call stays whole in the file
// whatever other threads or processes write to it meanwhile.
void WriteLogFile(const unsigned char* data, unsigned long length);
void cleanupTwainLog();

// One reading of the clock: its local time and the microseconds of the same second.
struct ClockReading {
  struct tm local;
  long microseconds;
};
ClockReading ReadClock();

// Rounded milliseconds of a clock reading's microseconds part: 0 to 1000.
int RoundedMilliseconds(long microseconds);

// The names a log file can have within one second: milliseconds 0000 to 1000.
inline constexpr int kLogNamesPerSecond = 1001;

// "<directory>/Twainlog_YYYYMMDD_HHMMSS_mmmm.txt" for a local time and a milliseconds field.
void MakeLogFilePath(char* out, size_t size, const char* directory, const struct tm& local,
                     int milliseconds);
