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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "apple_model.h"
#include "test_support.h"

namespace apple_model {
namespace {

// Every object of the model; its kind tells strings, URLs and bundles apart.
enum class Kind { kString, kUrl, kBundle };
struct Object {
  Kind kind;
  std::string text;  // a string's characters, a URL's path, a bundle's directory
  long count = 1;
  Object* url = nullptr;   // a bundle's URL, which it retains
  std::string executable;  // a bundle's file name in Contents/MacOS, empty when none is named
  void* code = nullptr;    // a bundle's executable, once loaded
};

std::set<Object*> g_live;
std::map<std::string, Object*> g_bundles;

Object* New(Kind kind, const std::string& text) {
  auto* object = new Object{kind, text, 1, nullptr, "", nullptr};
  g_live.insert(object);
  return object;
}

// The object at `reference`, which must be a live one of `kind`: anything else crashes a Mac.
Object* Live(const void* reference, Kind kind, const char* function) {
  auto* object = static_cast<Object*>(const_cast<void*>(reference));
  if (g_live.count(object) == 0 || object->kind != kind) Misuse(function, "no live object");
  return object;
}

CFStringRef NewString(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return nullptr;
  }
  return reinterpret_cast<CFStringRef>(New(Kind::kString, text));
}

// The CFBundleExecutable of an XML Info.plist, a file name, or empty.
std::string ExecutableNamed(const std::string& infoPlist) {
  static const std::regex kExecutable(
      R"(<key>CFBundleExecutable</key>\s*<string>([^</]+)</string>)");
  const std::string plist = ReadFile(infoPlist);
  std::smatch match;
  return std::regex_search(plist, match, kExecutable) ? match[1].str() : "";
}

// The last release of a bundle unloads its code and releases its URL.
void Release(Object* object) {
  if (--object->count > 0) return;
  g_live.erase(object);
  if (object->kind == Kind::kBundle) {
    g_bundles.erase(object->text);
    if (object->code != nullptr) dlclose(object->code);
    Release(object->url);
  }
  delete object;
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
using apple_model::Live;

extern "C" {

void CFRelease(CFTypeRef reference) {
  auto* object = static_cast<apple_model::Object*>(const_cast<void*>(reference));
  if (apple_model::g_live.count(object) == 0) {
    apple_model::Misuse("CFRelease", "not a live object (null, or released once too often?)");
  }
  apple_model::Release(object);
}

// MacRoman and UTF-8 agree on ASCII, which is all the model holds.
CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, CFStringEncoding encoding) {
  if (text == nullptr) apple_model::Misuse("CFStringCreateWithCString", "null text");
  if (encoding != kCFStringEncodingUTF8 && encoding != kCFStringEncodingMacRoman) return nullptr;
  return apple_model::NewString(text);
}

CFIndex CFStringGetLength(CFStringRef string) {
  return static_cast<CFIndex>(Live(string, Kind::kString, "CFStringGetLength")->text.size());
}

const UniChar* CFStringGetCharactersPtr(CFStringRef string) {
  Live(string, Kind::kString, "CFStringGetCharactersPtr");
  return nullptr;
}

void CFStringGetCharacters(CFStringRef string, CFRange range, UniChar* buffer) {
  const std::string& text = Live(string, Kind::kString, "CFStringGetCharacters")->text;
  if (range.location < 0 || range.length < 0 ||
      static_cast<size_t>(range.location + range.length) > text.size()) {
    apple_model::Misuse("CFStringGetCharacters", "range outside the string");
  }
  std::copy_n(text.begin() + range.location, range.length, buffer);  // ASCII, widened
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* path, CFIndex length,
                                                 Boolean) {
  if (path == nullptr || length <= 0) return nullptr;
  return reinterpret_cast<CFURLRef>(apple_model::New(
      Kind::kUrl, std::string(reinterpret_cast<const char*>(path), static_cast<size_t>(length))));
}

// Of a file's path, as the data source asks for its own.
CFStringRef CFURLCopyLastPathComponent(CFURLRef url) {
  const std::string& path = Live(url, Kind::kUrl, "CFURLCopyLastPathComponent")->text;
  return apple_model::NewString(path.substr(path.rfind('/') + 1));
}

// A bundle is made once per directory; a second CFBundleCreate for it answers the same bundle,
// retained.
CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef reference) {
  apple_model::Object* url = Live(reference, Kind::kUrl, "CFBundleCreate");
  struct stat status {};
  if (stat(url->text.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return nullptr;
  apple_model::Object*& bundle = apple_model::g_bundles[url->text];
  if (bundle != nullptr) {
    ++bundle->count;
    return reinterpret_cast<CFBundleRef>(bundle);
  }
  bundle = apple_model::New(Kind::kBundle, url->text);
  bundle->url = url;
  ++url->count;
  bundle->executable = apple_model::ExecutableNamed(url->text + "/Contents/Info.plist");
  return reinterpret_cast<CFBundleRef>(bundle);
}

// Loads the executable on first use.
void* CFBundleGetFunctionPointerForName(CFBundleRef reference, CFStringRef name) {
  const char* function = "CFBundleGetFunctionPointerForName";
  apple_model::Object* bundle = Live(reference, Kind::kBundle, function);
  const std::string& symbol = Live(name, Kind::kString, function)->text;
  if (bundle->code == nullptr && !bundle->executable.empty()) {
    const std::string executable = bundle->text + "/Contents/MacOS/" + bundle->executable;
    bundle->code = dlopen(executable.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return bundle->code != nullptr ? dlsym(bundle->code, symbol.c_str()) : nullptr;
}

}  // extern "C"
