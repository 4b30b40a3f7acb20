// Whether this build traces the vendor's own data source, whose extension structures, messages
// and capabilities it knows, or any other source, whose values in the vendor's ranges mean
// something else and are never read as the vendor's.
#pragma once

#ifndef TWAINTRACE_VENDOR_EXTENSIONS
#error "The build defines TWAINTRACE_VENDOR_EXTENSIONS as 1 or 0"
#endif

inline constexpr bool kVendorExtensions = TWAINTRACE_VENDOR_EXTENSIONS != 0;

// The standard's custom base (CAP_, DAT_ and MSG_CUSTOMBASE): the vendor's own capabilities,
// argument types and messages have ids above it; the base itself is the standard's.
inline constexpr unsigned kVendorIdBase = 0x8000;

inline constexpr bool IsVendorId(unsigned id) {
  return id > kVendorIdBase;
}
