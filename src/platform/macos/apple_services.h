// The few CoreFoundation and CoreServices functions and types the macOS platform layer uses.
//
// On a Mac the SDK's own headers declare them and the frameworks are linked. A cross build
// has neither: there these declarations stand in, with the SDK's signatures, and the build links
// against link stubs of the two frameworks naming exactly the functions declared here (each
// declaration's name and "(" on its first line, under the "// CoreFoundation" or
// "// CoreServices" line of its framework).
#pragma once

#include <mach-o/dyld.h>

#if __has_include(<CoreFoundation/CoreFoundation.h>) && __has_include(<CoreServices/CoreServices.h>)

#include <CoreFoundation/CoreFoundation.h>
#include <CoreServices/CoreServices.h>

#else

#include <cstdint>

extern "C" {

// CoreFoundation
typedef unsigned char Boolean;
typedef unsigned char UInt8;
typedef int8_t SInt8;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef int16_t SInt16;
typedef unsigned short UniChar;
typedef signed long CFIndex;
typedef UInt32 CFStringEncoding;
typedef const void* CFTypeRef;
typedef const struct __CFAllocator* CFAllocatorRef;
typedef const struct __CFString* CFStringRef;
typedef const struct __CFURL* CFURLRef;
typedef struct __CFBundle* CFBundleRef;
struct CFRange {
  CFIndex location;
  CFIndex length;
};

enum : CFStringEncoding { kCFStringEncodingMacRoman = 0, kCFStringEncodingUTF8 = 0x08000100 };

void CFRelease(CFTypeRef object);
CFStringRef CFStringCreateWithCString(CFAllocatorRef allocator, const char* text,
                                      CFStringEncoding encoding);
CFIndex CFStringGetLength(CFStringRef string);
const UniChar* CFStringGetCharactersPtr(CFStringRef string);
void CFStringGetCharacters(CFStringRef string, CFRange range, UniChar* buffer);
CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef allocator, const UInt8* path,
                                                 CFIndex length, Boolean isDirectory);
CFStringRef CFURLCopyLastPathComponent(CFURLRef url);
CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleUrl);
void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

// CoreServices: the Memory Manager
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

Handle NewHandleClear(Size byteCount);
void DisposeHandle(Handle handle);
void HLock(Handle handle);
void HUnlock(Handle handle);
Size GetHandleSize(Handle handle);
SInt8 HGetState(Handle handle);

// CoreServices: the File Manager
typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef unsigned long UniCharCount;
typedef UInt32 FSCatalogInfoBitmap;
struct FSRef {
  UInt8 hidden[80];
};
struct FSCatalogInfo;
struct FSSpec;
typedef FSSpec* FSSpecPtr;

enum : FSCatalogInfoBitmap { kFSCatInfoNone = 0 };

OSStatus FSPathMakeRef(const UInt8* path, FSRef* ref, Boolean* isDirectory);
OSErr FSCreateDirectoryUnicode(const FSRef* parentRef, UniCharCount nameLength, const UniChar* name,
                               FSCatalogInfoBitmap whichInfo, const FSCatalogInfo* catalogInfo,
                               FSRef* newRef, FSSpecPtr newSpec, UInt32* newDirID);

}  // extern "C"

#endif

// The handle state bit that HGetState reports for a locked block.
inline constexpr int kHandleLockedBit = 0x80;
