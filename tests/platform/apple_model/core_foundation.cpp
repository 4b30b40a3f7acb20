// CoreFoundation as the data source uses it: strings, file URLs and bundles, each object with a
// reference count that its creator owns (the Create and Copy rule) and CFRelease lowers.
//
// Where the model is simpler than CoreFoundation:
// - Strings are made from UTF-8, or from MacRoman's ASCII half only (other bytes: no string).
//   As in CoreFoundation, a string of ASCII is stored in 8 bits, so CFStringGetCharactersPtr
//   answers null for it and the caller copies the characters out.
// - A bundle's Info.plist is read as XML for CFBundleExecutable alone. A bundle without it, or
//   whose Info.plist names no executable, has no code here; CoreFoundation would try the
//   bundle's own name as well, so the model is the stricter case.
// - An executable that the loader refuses (another architecture, no code at all) is a failed
//   load: CFBundleGetFunctionPointerForName answers null, as CoreFoundation does after logging.
// - The last release of a bundle unloads its code.
// - Misuse that crashes on a Mac (a release too many, a foreign pointer) ends the process with
//   a message instead.
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "apple_model.h"
#include "model_state.h"

namespace apple_model {
namespace {

struct String : Object {
  std::vector<UniChar> units;
  bool eightBit = false;
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

std::recursive_mutex g_mutex;
std::set<Object*>& Live() {
  static std::set<Object*> live;
  return live;
}
std::map<std::string, Bundle*>& Bundles() {
  static std::map<std::string, Bundle*> bundles;
  return bundles;
}

// The reference a caller holds to a model object.
template <typename Reference>
Reference RefTo(Object* object) {
  return reinterpret_cast<Reference>(object);
}

// UTF-16 code units of UTF-8 text; false for malformed text.
bool DecodeUtf8(const std::string& text, std::vector<UniChar>* units) {
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80         ? 0
                : (lead >> 5) == 6  ? 1
                : (lead >> 4) == 14 ? 2
                : (lead >> 3) == 30 ? 3
                                    : -1;
    if (extra < 0) return false;
    uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      if (i + static_cast<size_t>(k) >= text.size()) return false;
      auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      units->push_back(static_cast<UniChar>(0xD800 + (code >> 10)));
      units->push_back(static_cast<UniChar>(0xDC00 + (code & 0x3FF)));
    } else {
      units->push_back(static_cast<UniChar>(code));
    }
  }
  return true;
}

String* NewString(const std::vector<UniChar>& units) {
  auto* string = new String;
  string->kind = Kind::kString;
  string->units = units;
  string->eightBit = true;
  for (UniChar unit : units) string->eightBit = string->eightBit && unit < 0x80;
  Register(string);
  return string;
}

String* LiveString(CFStringRef reference, const char* function) {
  auto* string = static_cast<String*>(Find(reference, Kind::kString));
  if (string == nullptr) Misuse(function, "not a live CFString");
  return string;
}

// The ASCII text of a string; other characters become '?', which no exported name holds.
std::string Ascii(const String& string) {
  std::string text;
  for (UniChar unit : string.units) text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return text;
}

// The CFBundleExecutable of an XML Info.plist, or empty.
std::string ExecutableNamed(const std::string& infoPlist) {
  std::ifstream file(infoPlist, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string plist = text.str();
  const std::string key = "<key>CFBundleExecutable</key>";
  size_t at = plist.find(key);
  if (at == std::string::npos) return "";
  at = plist.find_first_not_of(" \t\r\n", at + key.size());
  const std::string open = "<string>";
  if (at == std::string::npos || plist.compare(at, open.size(), open) != 0) return "";
  size_t start = at + open.size();
  size_t end = plist.find("</string>", start);
  if (end == std::string::npos) return "";
  std::string name = plist.substr(start, end - start);
  return name.find('/') == std::string::npos ? name : "";
}

// The last release of a bundle unloads its code and releases its URL.
void ReleaseLocked(Object* object) {
  if (--object->count > 0) return;
  Live().erase(object);
  if (object->kind == Kind::kString) return delete static_cast<String*>(object);
  if (object->kind == Kind::kUrl) return delete static_cast<Url*>(object);
  auto* bundle = static_cast<Bundle*>(object);
  Bundles().erase(bundle->directory);
  if (bundle->code != nullptr) dlclose(bundle->code);
  ReleaseLocked(bundle->url);
  delete bundle;
}

}  // namespace

void Register(Object* object) {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  object->count = 1;
  Live().insert(object);
}

Object* Find(const void* reference, Kind kind) {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  auto* object = static_cast<Object*>(const_cast<void*>(reference));
  if (Live().count(object) == 0 || object->kind != kind) return nullptr;
  return object;
}

void Misuse(const char* function, const char* what) {
  fprintf(stderr, "apple model: %s: %s\n", function, what);
  abort();
}

size_t LiveObjects() {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  return Live().size();
}

long ReferenceCount(CFTypeRef reference) {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  auto* object = static_cast<Object*>(const_cast<void*>(reference));
  return Live().count(object) != 0 ? object->count : 0;
}

}  // namespace apple_model

using apple_model::Kind;

extern "C" {

void CFRelease(CFTypeRef reference) {
  std::lock_guard<std::recursive_mutex> lock(apple_model::g_mutex);
  auto* object = static_cast<apple_model::Object*>(const_cast<void*>(reference));
  if (reference == nullptr) apple_model::Misuse("CFRelease", "null");
  if (apple_model::Live().count(object) == 0) {
    apple_model::Misuse("CFRelease", "not a live object (released once too often?)");
  }
  apple_model::ReleaseLocked(object);
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* text, CFStringEncoding encoding) {
  if (text == nullptr) apple_model::Misuse("CFStringCreateWithCString", "null text");
  std::vector<UniChar> units;
  if (encoding == kCFStringEncodingUTF8) {
    if (!apple_model::DecodeUtf8(text, &units)) return nullptr;
  } else if (encoding == kCFStringEncodingMacRoman) {
    for (const char* c = text; *c != '\0'; ++c) {
      if (static_cast<unsigned char>(*c) >= 0x80) return nullptr;
      units.push_back(static_cast<UniChar>(*c));
    }
  } else {
    return nullptr;
  }
  return apple_model::RefTo<CFStringRef>(apple_model::NewString(units));
}

CFIndex CFStringGetLength(CFStringRef string) {
  return static_cast<CFIndex>(apple_model::LiveString(string, "CFStringGetLength")->units.size());
}

const UniChar* CFStringGetCharactersPtr(CFStringRef string) {
  apple_model::String* live = apple_model::LiveString(string, "CFStringGetCharactersPtr");
  return live->eightBit ? nullptr : live->units.data();
}

void CFStringGetCharacters(CFStringRef string, CFRange range, UniChar* buffer) {
  apple_model::String* live = apple_model::LiveString(string, "CFStringGetCharacters");
  if (range.location < 0 || range.length < 0 ||
      static_cast<size_t>(range.location + range.length) > live->units.size()) {
    apple_model::Misuse("CFStringGetCharacters", "range outside the string");
  }
  if (range.length > 0) {
    memcpy(buffer, live->units.data() + range.location,
           sizeof(UniChar) * static_cast<size_t>(range.length));
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

CFStringRef CFURLCopyLastPathComponent(CFURLRef reference) {
  auto* url = static_cast<apple_model::Url*>(apple_model::Find(reference, Kind::kUrl));
  if (url == nullptr) apple_model::Misuse("CFURLCopyLastPathComponent", "not a live CFURL");
  std::string path = url->path;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  size_t slash = path.rfind('/');
  std::string last = slash == std::string::npos || path == "/" ? path : path.substr(slash + 1);
  std::vector<UniChar> units;
  if (!apple_model::DecodeUtf8(last, &units)) return nullptr;
  return apple_model::RefTo<CFStringRef>(apple_model::NewString(units));
}

// A bundle is made once per directory; a second CFBundleCreate for it answers the same bundle,
// retained.
CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef reference) {
  std::lock_guard<std::recursive_mutex> lock(apple_model::g_mutex);
  auto* url = static_cast<apple_model::Url*>(apple_model::Find(reference, Kind::kUrl));
  if (url == nullptr) return nullptr;
  struct stat status {};
  if (stat(url->path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return nullptr;
  auto cached = apple_model::Bundles().find(url->path);
  if (cached != apple_model::Bundles().end()) {
    ++cached->second->count;
    return apple_model::RefTo<CFBundleRef>(cached->second);
  }
  auto* bundle = new apple_model::Bundle;
  bundle->kind = Kind::kBundle;
  bundle->directory = url->path;
  bundle->url = url;
  ++url->count;
  bundle->executable = apple_model::ExecutableNamed(url->path + "/Contents/Info.plist");
  apple_model::Register(bundle);
  apple_model::Bundles()[bundle->directory] = bundle;
  return apple_model::RefTo<CFBundleRef>(bundle);
}

// Loads the executable on first use.
void* CFBundleGetFunctionPointerForName(CFBundleRef reference, CFStringRef name) {
  std::lock_guard<std::recursive_mutex> lock(apple_model::g_mutex);
  auto* bundle = static_cast<apple_model::Bundle*>(apple_model::Find(reference, Kind::kBundle));
  if (bundle == nullptr)
    apple_model::Misuse("CFBundleGetFunctionPointerForName", "not a live CFBundle");
  std::string symbol =
      apple_model::Ascii(*apple_model::LiveString(name, "CFBundleGetFunctionPointerForName"));
  if (bundle->code == nullptr && !bundle->executable.empty()) {
    std::string executable = bundle->directory + "/Contents/MacOS/" + bundle->executable;
    bundle->code = dlopen(executable.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return bundle->code != nullptr ? dlsym(bundle->code, symbol.c_str()) : nullptr;
}

}  // extern "C"
