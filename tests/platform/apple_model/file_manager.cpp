// The File Manager's path calls over the file system, answering in its status codes.
//
// Where the model is simpler: an FSRef names the directory by the path it was made from
// (the File Manager's names a catalog node, which a later rename would not lose). Names are
// ASCII. The file system's refusals map to statuses as below; a directory is made with the
// process's umask applied, as Apple documents for a new directory made without permissions.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "apple_model.h"

namespace apple_model {
namespace {

constexpr OSErr kNoErr = 0;
constexpr OSErr kIoErr = -36;
constexpr OSErr kBdNamErr = -37;
constexpr OSErr kFnfErr = -43;
constexpr OSErr kDupFNErr = -48;
constexpr OSErr kParamErr = -50;
constexpr OSErr kMemFullErr = -108;
constexpr OSErr kDirNFErr = -120;
constexpr OSErr kAfpAccessDenied = -5000;

std::mutex g_mutex;
std::vector<std::string> g_paths;  // an FSRef holds an index into these
std::optional<OSErr> g_failCreate;
std::optional<OSStatus> g_failPath;

OSErr StatusOfErrno(int error) {
  static const struct {
    int error;
    OSErr status;
  } kStatuses[] = {{ENOENT, kFnfErr},          {EEXIST, kDupFNErr},       {ENOTDIR, kDirNFErr},
                   {EACCES, kAfpAccessDenied}, {EPERM, kAfpAccessDenied}, {ENAMETOOLONG, kBdNamErr},
                   {ENOMEM, kMemFullErr}};
  for (const auto& row : kStatuses) {
    if (row.error == error) return row.status;
  }
  return kIoErr;
}

// The failure set for the next call, taken so that the call after it runs normally.
template <typename Status>
std::optional<Status> Take(std::optional<Status>& failure) {
  std::lock_guard<std::mutex> lock(g_mutex);
  return std::exchange(failure, std::nullopt);
}

void Store(FSRef* ref, size_t index) {
  memset(ref, 0, sizeof(*ref));
  memcpy(ref->hidden, &index, sizeof(index));
}

bool PathOf(const FSRef* ref, std::string* path) {
  size_t index = 0;
  memcpy(&index, ref->hidden, sizeof(index));
  if (index >= g_paths.size()) return false;
  *path = g_paths[index];
  return true;
}

}  // namespace

void FailNextCreateDirectory(OSErr status) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_failCreate = status;
}

void FailNextPathMakeRef(OSStatus status) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_failPath = status;
}

}  // namespace apple_model

extern "C" {

OSStatus FSPathMakeRef(const UInt8* path, FSRef* ref, Boolean* isDirectory) {
  if (path == nullptr || ref == nullptr) return apple_model::kParamErr;
  if (auto failure = apple_model::Take(apple_model::g_failPath)) return *failure;
  const char* text = reinterpret_cast<const char*>(path);
  struct stat status {};
  if (stat(text, &status) != 0) return apple_model::StatusOfErrno(errno);
  std::lock_guard<std::mutex> lock(apple_model::g_mutex);
  apple_model::g_paths.emplace_back(text);
  apple_model::Store(ref, apple_model::g_paths.size() - 1);
  if (isDirectory != nullptr) *isDirectory = S_ISDIR(status.st_mode);
  return apple_model::kNoErr;
}

OSErr FSCreateDirectoryUnicode(const FSRef* parentRef, UniCharCount nameLength, const UniChar* name,
                               FSCatalogInfoBitmap, const FSCatalogInfo*, FSRef* newRef, FSSpecPtr,
                               UInt32*) {
  if (auto failure = apple_model::Take(apple_model::g_failCreate)) return *failure;
  std::string path;
  {
    std::lock_guard<std::mutex> lock(apple_model::g_mutex);
    if (parentRef == nullptr || name == nullptr || !apple_model::PathOf(parentRef, &path)) {
      return apple_model::kParamErr;
    }
  }
  path.push_back('/');
  for (UniCharCount i = 0; i < nameLength; ++i) {
    if (name[i] == 0 || name[i] >= 0x80 || name[i] == '/') return apple_model::kBdNamErr;
    path.push_back(static_cast<char>(name[i]));
  }
  if (mkdir(path.c_str(), 0777) != 0) return apple_model::StatusOfErrno(errno);
  if (newRef != nullptr) {
    std::lock_guard<std::mutex> lock(apple_model::g_mutex);
    apple_model::g_paths.push_back(path);
    apple_model::Store(newRef, apple_model::g_paths.size() - 1);
  }
  return apple_model::kNoErr;
}

}  // extern "C"
