// The log file: one per load, opened when the log directory exists at load.
#pragma once

#include <cstdio>
#include <ctime>

// The open log file, or null while logging is off.
extern FILE* g_pLogFile;

// The log directory, fixed when the data source is built.
extern const char* const kTwainLogDirectory;

void setupTwainLog();
void WriteLogFile(const unsigned char* data, unsigned long length);
void cleanupTwainLog();

// "<directory>/Twainlog_YYYYMMDD_HHMMSS_mmmm.txt" for a local time and the microseconds of the
// same second; the milliseconds are rounded, so 999500 microseconds and more give 1000.
void MakeLogFilePath(char* out, size_t size, const char* directory, const struct tm& local,
                     long microseconds);

// Rounded milliseconds of a clock reading's microseconds part: 0 to 1000.
int RoundedMilliseconds(long microseconds);
