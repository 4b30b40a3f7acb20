#include "log/log_file.h"

#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "analyzer/para_analyze.h"
#include "log/twain_log.h"

FILE* g_pLogFile = nullptr;

namespace {

constexpr size_t kPathSize = 256;
constexpr char kCloseMessage[] = "Close Log File.\n";

}  // namespace

int RoundedMilliseconds(long microseconds) {
  return static_cast<int>(static_cast<double>(microseconds) / 1000.0 + 0.5);
}

void MakeLogFilePath(char* out, size_t size, const char* directory, const struct tm& local,
                     long microseconds) {
  char stamp[kPathSize];
  snprintf(stamp, sizeof(stamp), "%04d%02d%02d_%02d%02d%02d_%04d", local.tm_year + 1900,
           local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
           RoundedMilliseconds(microseconds));
  snprintf(out, size, "%s/Twainlog_%s.txt", directory, stamp);
}

void setupTwainLog() {
  if (access(kTwainLogDirectory, F_OK) != 0) return;

  // Runs inside the image's initialiser, where an exception would take the host down.
  delete g_pcTwainLog;
  g_pcTwainLog = new (std::nothrow) CTwainLog;

  if (g_pLogFile == nullptr) {
    time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    struct timeval clock {};
    gettimeofday(&clock, nullptr);

    // The directory is fixed at build time, so a path that does not fit is a build fault;
    // snprintf cuts it rather than overrun, and the open then fails quietly.
    char path[4096] = {};
    MakeLogFilePath(path, sizeof(path), kTwainLogDirectory, local, clock.tv_usec);
    g_pLogFile = fopen(path, "a");
    // Every write is flushed at once, so a stream buffer would only add a copy of each text
    // (and an allocation on the first write).
    if (g_pLogFile != nullptr) setvbuf(g_pLogFile, nullptr, _IONBF, 0);
  }
  g_cParaAnalyze.m_nTwainStatus = 3;
}

// The stream is unbuffered, so its fwrite and fflush come to one write system call; making it
// straight on the descriptor gives the same bytes in the same order for less work per call.
// A write cut short goes on with the rest; one that fails is given up, as a log write may.
void WriteLogFile(const unsigned char* data, unsigned long length) {
  if (g_pLogFile == nullptr) return;
  int descriptor = fileno(g_pLogFile);
  while (length > 0) {
    ssize_t written = write(descriptor, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    data += written;
    length -= static_cast<unsigned long>(written);
  }
}

void cleanupTwainLog() {
  delete g_pcTwainLog;
  g_pcTwainLog = nullptr;

  if (g_pLogFile == nullptr) return;
  fwrite(kCloseMessage, sizeof(kCloseMessage) - 1, 1, stderr);
  fclose(g_pLogFile);
  g_pLogFile = nullptr;
}
