// CoreFoundation as the data source uses it: strings, file URLs and bundles, each object with a
// reference count that its creator owns (the Create and Copy rule) and CFRelease lowers.
//
// Where the model is simpler than CoreFoundation:
// - Strings hold ASCII only: text with any other byte makes no string (CoreFoundation would
//   decode UTF-8; the data source's names and the tests' paths are ASCII). As in CoreFoundation,
//   a string of ASCII is stored in 8 bits, so CFStringGetCharactersPtr answers null and the
//   caller copies the characters out.
// - A bundle's Info.plist is read as XML for CFBundleExecutable alone. A bundle without it, or
//   whose Info.plist names no executable, has no code here; CoreFoundation would try the
//   bundle's own name as well, so the model is the stricter case.
// - An executable that the loader refuses (another architecture, no code at all) is a failed
//   load: CFBundleGetFunctionPointerForName answers null, as CoreFoundation does after logging.
// - The last release of a bundle unloads its code.
// - Misuse that crashes on a Mac (a release too many, a foreign pointer) ends the process with
//   a message instead.
// - Calls come from one thread at a time, as the tests make them.
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "apple_model.h"

namespace apple_model {
namespace {

// Every object starts with this header, so that CFRelease can tell an object of the model
// from anything else.
enum class Kind { kString, kUrl, kBundle };
struct Object {
  Kind kind;
  long count;
};

struct String : Object {
  std::string text;
};

struct Url : Object {
  std::string path;
};

struct Bundle : Object {
  std::string directory;
  Url* url = nullptr;
  std::string executable;  // the file name in Contents/MacOS, empty when none is named
  void* code = nullptr;
};

std::set<Object*> g_live;
std::map<std::string, Bundle*> g_bundles;

// A new object, with a reference count of one.
void Register(Object* object) {
  object->count = 1;
  g_live.insert(object);
}

// The live object at `reference` of `kind`, or null.
Object* Find(const void* reference, Kind kind) {
  auto* object = static_cast<Object*>(const_cast<void*>(reference));
  return g_live.count(object) != 0 && object->kind == kind ? object : nullptr;
}

template <typename Reference>
Reference RefTo(Object* object) {
  return reinterpret_cast<Reference>(object);
}

CFStringRef NewString(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return nullptr;
  }
  auto* string = new String;
  string->kind = Kind::kString;
  string->text = text;
  Register(string);
  return RefTo<CFStringRef>(string);
}

const std::string& TextOf(CFStringRef reference, const char* function) {
  auto* string = static_cast<String*>(Find(reference, Kind::kString));
  if (string == nullptr) Misuse(function, "not a live CFString");
  return string->text;
}

// The CFBundleExecutable of an XML Info.plist, or empty.
std::string ExecutableNamed(const std::string& infoPlist) {
  std::stringstream text;
  text << std::ifstream(infoPlist, std::ios::binary).rdbuf();
  const std::string plist = text.str();
  const std::string key = "<key>CFBundleExecutable</key>";
  const std::string open = "<string>";
  size_t at = plist.find(key);
  if (at == std::string::npos) return "";
  at = plist.find_first_not_of(" \t\r\n", at + key.size());
  if (at == std::string::npos || plist.compare(at, open.size(), open) != 0) return "";
  const size_t start = at + open.size();
  const size_t end = plist.find("</string>", start);
  if (end == std::string::npos) return "";
  std::string name = plist.substr(start, end - start);
  return name.find('/') == std::string::npos ? name : "";
}

// The last release of a bundle unloads its code and releases its URL.
void ReleaseLocked(Object* object) {
  if (--object->count > 0) return;
  g_live.erase(object);
  if (object->kind == Kind::kString) return delete static_cast<String*>(object);
  if (object->kind == Kind::kUrl) return delete static_cast<Url*>(object);
  auto* bundle = static_cast<Bundle*>(object);
  g_bundles.erase(bundle->directory);
  if (bundle->code != nullptr) dlclose(bundle->code);
  ReleaseLocked(bundle->url);
  delete bundle;
}

}  // namespace

void Misuse(const char* function, const char* what) {
  fprintf(stderr, "apple model: %s: %s\n", function, what);
  abort();
}

size_t LiveObjects() {
  return g_live.size();
}

}  // namespace apple_model

using apple_model::Kind;

extern "C" {

void CFRelease(CFTypeRef reference) {
  auto* object = static_cast<apple_model::Object*>(const_cast<void*>(reference));
  if (apple_model::g_live.count(object) == 0) {
    apple_model::Misuse("CFRelease", "not a live object (null, or released once too often?)");
  }
  apple_model::ReleaseLocked(object);
}

// MacRoman and UTF-8 agree on ASCII, which is all the model holds.
CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, CFStringEncoding encoding) {
  if (text == nullptr) apple_model::Misuse("CFStringCreateWithCString", "null text");
  if (encoding != kCFStringEncodingUTF8 && encoding != kCFStringEncodingMacRoman) return nullptr;
  return apple_model::NewString(text);
}

CFIndex CFStringGetLength(CFStringRef string) {
  return static_cast<CFIndex>(apple_model::TextOf(string, "CFStringGetLength").size());
}

const UniChar* CFStringGetCharactersPtr(CFStringRef string) {
  apple_model::TextOf(string, "CFStringGetCharactersPtr");
  return nullptr;
}

void CFStringGetCharacters(CFStringRef string, CFRange range, UniChar* buffer) {
  const std::string& text = apple_model::TextOf(string, "CFStringGetCharacters");
  if (range.location < 0 || range.length < 0 ||
      static_cast<size_t>(range.location + range.length) > text.size()) {
    apple_model::Misuse("CFStringGetCharacters", "range outside the string");
  }
  for (CFIndex i = 0; i < range.length; ++i) {
    buffer[i] = static_cast<UniChar>(text[static_cast<size_t>(range.location + i)]);
  }
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* path, CFIndex length,
                                                 Boolean) {
  if (path == nullptr || length <= 0) return nullptr;
  auto* url = new apple_model::Url;
  url->kind = Kind::kUrl;
  url->path.assign(reinterpret_cast<const char*>(path), static_cast<size_t>(length));
  apple_model::Register(url);
  return apple_model::RefTo<CFURLRef>(url);
}

// A trailing slash is no component of its own.
CFStringRef CFURLCopyLastPathComponent(CFURLRef reference) {
  auto* url = static_cast<apple_model::Url*>(apple_model::Find(reference, Kind::kUrl));
  if (url == nullptr) apple_model::Misuse("CFURLCopyLastPathComponent", "not a live CFURL");
  std::string path = url->path;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.rfind('/');
  return apple_model::NewString(slash == std::string::npos || path == "/" ? path
                                                                          : path.substr(slash + 1));
}

// A bundle is made once per directory; a second CFBundleCreate for it answers the same bundle,
// retained.
CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef reference) {
  auto* url = static_cast<apple_model::Url*>(apple_model::Find(reference, Kind::kUrl));
  struct stat status {};
  if (url == nullptr || stat(url->path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    return nullptr;
  }
  apple_model::Bundle*& bundle = apple_model::g_bundles[url->path];
  if (bundle != nullptr) {
    ++bundle->count;
    return apple_model::RefTo<CFBundleRef>(bundle);
  }
  bundle = new apple_model::Bundle;
  bundle->kind = Kind::kBundle;
  bundle->directory = url->path;
  bundle->url = url;
  ++url->count;
  bundle->executable = apple_model::ExecutableNamed(url->path + "/Contents/Info.plist");
  apple_model::Register(bundle);
  return apple_model::RefTo<CFBundleRef>(bundle);
}

// Loads the executable on first use.
void* CFBundleGetFunctionPointerForName(CFBundleRef reference, CFStringRef name) {
  auto* bundle = static_cast<apple_model::Bundle*>(apple_model::Find(reference, Kind::kBundle));
  if (bundle == nullptr) {
    apple_model::Misuse("CFBundleGetFunctionPointerForName", "not a live CFBundle");
  }
  const std::string& symbol = apple_model::TextOf(name, "CFBundleGetFunctionPointerForName");
  if (bundle->code == nullptr && !bundle->executable.empty()) {
    const std::string executable = bundle->directory + "/Contents/MacOS/" + bundle->executable;
    bundle->code = dlopen(executable.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return bundle->code != nullptr ? dlsym(bundle->code, symbol.c_str()) : nullptr;
}

}  // extern "C"
