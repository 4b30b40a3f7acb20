#include "log/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "log/twain_log.h"
#include "twaintrace/log_format.h"

FILE* g_pLogFile = nullptr;

namespace {

constexpr size_t kStampSize = 256;
constexpr char kCloseMessage[] = "Close Log File.\n";
// Readable by the support engineer who collects it; writable by the host's user alone.
constexpr mode_t kLogFileMode = 0644;

// Creates a new file at `path`, never opening anything that is already there: a link planted at
// the name, a pipe or a device would redirect the host's trace or block its load. Returns the
// descriptor, or -1 with errno EEXIST when the name is taken, any other errno when the
// directory takes no file.
int CreateNewLogFile(const char* path) {
  int descriptor;
  do {
    descriptor =
        open(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
             kLogFileMode);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    // O_NOFOLLOW's answer for a link where O_EXCL is not honoured.
    if (errno == ELOOP) errno = EEXIST;
    return -1;
  }
  // A file system that does not honour O_EXCL (some network ones) could still have opened
  // something else; only a regular file will do.
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(descriptor);
    errno = EEXIST;
    return -1;
  }
  // Writes to a regular file may block like any file write; the flag only guarded the open.
  int flags = fcntl(descriptor, F_GETFL);
  if (flags >= 0) fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
  return descriptor;
}

// The load's own file: the name of the clock reading, or when that is taken (another load in
// the same millisecond, or anything else at that path) the next free millisecond of the same
// second, counting on from 0000 after 1000. Returns -1 when all the second's names are taken
// or the directory takes no file.
int CreateOwnLogFile(const ClockReading& clock) {
  const int first = RoundedMilliseconds(clock.microseconds);
  for (int step = 0; step < kLogNamesPerSecond; ++step) {
    // The directory is fixed at build time, so a path that does not fit is a build fault;
    // snprintf cuts it rather than overrun, and the open then fails quietly.
    char path[4096];
    MakeLogFilePath(path, sizeof(path), kTwainLogDirectory, clock.local,
                    (first + step) % kLogNamesPerSecond);
    int descriptor = CreateNewLogFile(path);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

FILE* OpenLogFile() {
  int descriptor = CreateOwnLogFile(ReadClock());
  if (descriptor < 0) return nullptr;
  FILE* file = fdopen(descriptor, "a");
  if (file == nullptr) {
    close(descriptor);
    return nullptr;
  }
  // Every write goes straight to the descriptor, so a stream buffer would only add a copy of
  // each text (and an allocation on the first write).
  setvbuf(file, nullptr, _IONBF, 0);
  return file;
}

}  // namespace

// The date, the time and the milliseconds all come from one reading, so that a stamp made at a
// second's turn cannot pair the old second with the new one's milliseconds.
ClockReading ReadClock() {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  ClockReading reading{};
  localtime_r(&now.tv_sec, &reading.local);
  reading.microseconds = now.tv_nsec / 1000;
  return reading;
}

int RoundedMilliseconds(long microseconds) {
  return static_cast<int>(static_cast<double>(microseconds) / 1000.0 + 0.5);
}

void MakeLogFilePath(char* out, size_t size, const char* directory, const struct tm& local,
                     int milliseconds) {
  char stamp[kStampSize];
  snprintf(stamp, sizeof(stamp), "%04d%02d%02d_%02d%02d%02d_%04d", local.tm_year + 1900,
           local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
           milliseconds);
  snprintf(out, size, "%s/%s%s%s", directory, log_format::kFileNamePrefix, stamp,
           log_format::kFileNameSuffix);
}

bool setupTwainLog() {
  if (access(kTwainLogDirectory, F_OK) != 0) return false;

  // Runs inside the image's initialiser, where an exception would take the host down.
  delete g_pcTwainLog;
  g_pcTwainLog = new (std::nothrow) CTwainLog;

  if (g_pLogFile == nullptr) g_pLogFile = OpenLogFile();
  return true;
}

// One write system call for the whole text; only a write cut short (a signal, a full disk)
// goes on with the rest. One that fails is given up, as a log write may.
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
