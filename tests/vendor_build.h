// For the tests whose expectations are the vendor's build's own: its names for the vendor's
// ranges, its dumps of the vendor's structures, and the log exactly as that build writes it
// with the TWAIN 2.5 constants unnamed. The build for other data sources has its own test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "names/vendor_extensions.h"

#define SKIP_UNLESS_VENDOR_BUILD()                                      \
  do {                                                                  \
    if (!kVendorExtensions) {                                           \
      GTEST_SKIP() << "expects the vendor's build (vendor extensions)"; \
    }                                                                   \
  } while (0)

// A vendor constant's name in the vendor's build; elsewhere the unnamed value's text.
inline std::string VendorName(const char* name, int value) {
  return kVendorExtensions ? name : "ERROR!(" + std::to_string(value) + ")";
}

// A TWAIN 2.5 constant's name where the build names them; in the vendor's build, whose tables
// have no row for it, the unnamed value's text.
inline std::string Twain25Name(const char* name, int value) {
  return kVendorExtensions ? "ERROR!(" + std::to_string(value) + ")" : name;
}
