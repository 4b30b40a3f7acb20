// The File Manager's path calls over the file system, answering in its status codes.
//
// Where the model is simpler: an FSRef names the directory by the path it was made from
// (the File Manager's names a catalog node, which a later rename would not lose). Names are
// ASCII. The file system's refusals map to statuses as below; a directory is made with the
// process's umask applied, as Apple documents for a new directory made without permissions.
// Neither fills in what the data source does not ask for (isDirectory, newRef).
// Calls come from one thread at a time, as the tests make them.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "apple_model.h"

namespace apple_model {
namespace {

// The File Manager's status codes.
constexpr OSErr kNoErr = 0, kIoErr = -36, kBdNamErr = -37, kFnfErr = -43, kDupFNErr = -48,
                kParamErr = -50, kMemFullErr = -108, kDirNFErr = -120, kAfpAccessDenied = -5000;

std::vector<std::string> g_paths;  // an FSRef holds an index into these
std::optional<OSErr> g_failCreate;
std::optional<OSStatus> g_failPath;

OSErr StatusOfErrno(int error) {
  static const std::pair<int, OSErr> kStatuses[] = {
      {ENOENT, kFnfErr},          {EEXIST, kDupFNErr},       {ENOTDIR, kDirNFErr},
      {EACCES, kAfpAccessDenied}, {EPERM, kAfpAccessDenied}, {ENAMETOOLONG, kBdNamErr},
      {ENOMEM, kMemFullErr}};
  for (const auto& [posixError, status] : kStatuses) {
    if (posixError == error) return status;
  }
  return kIoErr;
}

}  // namespace

void FailNextCreateDirectory(OSErr status) {
  g_failCreate = status;
}

void FailNextPathMakeRef(OSStatus status) {
  g_failPath = status;
}

}  // namespace apple_model

using namespace apple_model;

extern "C" {

OSStatus FSPathMakeRef(const UInt8* path, FSRef* ref, Boolean*) {
  if (path == nullptr || ref == nullptr) return kParamErr;
  // A failure set for the next call is taken, so that the call after it runs normally.
  if (auto failure = std::exchange(g_failPath, std::nullopt)) return *failure;
  const char* text = reinterpret_cast<const char*>(path);
  struct stat status {};
  if (stat(text, &status) != 0) return StatusOfErrno(errno);
  const size_t index = g_paths.size();
  g_paths.emplace_back(text);
  memset(ref, 0, sizeof(*ref));
  memcpy(ref->hidden, &index, sizeof(index));
  return kNoErr;
}

OSErr FSCreateDirectoryUnicode(const FSRef* parentRef, UniCharCount nameLength, const UniChar* name,
                               FSCatalogInfoBitmap, const FSCatalogInfo*, FSRef*, FSSpecPtr,
                               UInt32*) {
  if (auto failure = std::exchange(g_failCreate, std::nullopt)) return *failure;
  size_t index = g_paths.size();
  if (parentRef != nullptr) memcpy(&index, parentRef->hidden, sizeof(index));
  if (index >= g_paths.size() || name == nullptr) return kParamErr;
  std::string path = g_paths[index] + "/";
  for (UniCharCount i = 0; i < nameLength; ++i) {
    if (name[i] == 0 || name[i] >= 0x80 || name[i] == '/') return kBdNamErr;
    path.push_back(static_cast<char>(name[i]));
  }
  return mkdir(path.c_str(), 0777) == 0 ? kNoErr : StatusOfErrno(errno);
}

}  // extern "C"
