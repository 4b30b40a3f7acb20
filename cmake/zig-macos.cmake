# Cross build for macOS from Linux: Zig compiles (clang with its own macOS C library headers and
# libc++), LLVM's Mach-O linker links.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/zig-macos.cmake -DTWAINTRACE_ZIG=<zig executable>
#         -DTWAINTRACE_MACOS_ARCH=arm64|x86_64 [-DTWAINTRACE_ZIG_CACHE=<directory>] ...
# Zig's own linker (0.11) exports every symbol of a module, hidden ones and all of libc++
# included, and takes no export list; ld64.lld keeps to the visibility and the export list,
# and links Zig's libc++, libc++abi and compiler runtime archives statically.
# Apple's SDK is not needed: the platform layer declares the few framework functions it calls,
# and everything links against link stubs of CoreFoundation and CoreServices made from those
# declarations (TWAINTRACE_APPLE_FRAMEWORKS off). Boost's header-only
# libraries are read from the build host, after the target's own system headers; no other
# package of the build host (GoogleTest, Google Benchmark) is looked for.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_VERSION 20.0)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
  TWAINTRACE_ZIG TWAINTRACE_MACOS_ARCH TWAINTRACE_ZIG_CACHE TWAINTRACE_BOOST_INCLUDE
  TWAINTRACE_MACOS_LINKER TWAINTRACE_CLANG)

if(NOT TWAINTRACE_ZIG OR NOT EXISTS "${TWAINTRACE_ZIG}")
  message(FATAL_ERROR "Set TWAINTRACE_ZIG to the zig executable")
endif()
# Zig 0.11's default oldest macOS, named so that the linker is told the same.
set(macos_minimum 11.7.1)
if(TWAINTRACE_MACOS_ARCH STREQUAL "arm64")
  set(zig_target aarch64-macos.${macos_minimum})
elseif(TWAINTRACE_MACOS_ARCH STREQUAL "x86_64")
  set(zig_target x86_64-macos.${macos_minimum})
else()
  message(FATAL_ERROR "TWAINTRACE_MACOS_ARCH must be arm64 or x86_64")
endif()
set(CMAKE_SYSTEM_PROCESSOR ${TWAINTRACE_MACOS_ARCH})
set(CMAKE_OSX_ARCHITECTURES "" CACHE STRING "" FORCE)  # the wrappers' targets say it
set(CMAKE_OSX_DEPLOYMENT_TARGET "" CACHE STRING "" FORCE)
set(CMAKE_OSX_SYSROOT "" CACHE PATH "" FORCE)
if(NOT TWAINTRACE_ZIG_CACHE)
  set(TWAINTRACE_ZIG_CACHE "${CMAKE_BINARY_DIR}/zig-cache" CACHE PATH "Zig's build cache")
endif()
if(NOT TWAINTRACE_BOOST_INCLUDE)
  set(TWAINTRACE_BOOST_INCLUDE /usr/include/boost CACHE PATH "The build host's Boost headers")
endif()
if(NOT TWAINTRACE_MACOS_LINKER)
  find_program(TWAINTRACE_MACOS_LINKER NAMES ld64.lld ld64.lld-14 REQUIRED)
endif()
if(NOT TWAINTRACE_CLANG)
  find_program(TWAINTRACE_CLANG NAMES clang++ clang++-14 REQUIRED)
endif()

set(zig_tools "${TWAINTRACE_ZIG_CACHE}/tools/${zig_target}")
set(zig_environment
  "export ZIG_GLOBAL_CACHE_DIR='${TWAINTRACE_ZIG_CACHE}' ZIG_LOCAL_CACHE_DIR='${TWAINTRACE_ZIG_CACHE}'")

# The runtime archives Zig links into a C++ module for this target, as its own link of a probe
# names them (the first probe per target builds libc++, a few minutes).
file(MAKE_DIRECTORY "${zig_tools}")
file(WRITE "${zig_tools}/probe.cpp" "#include <string>\nstd::string Probe() { return \"probe\"; }\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env ZIG_VERBOSE_LINK=1 ZIG_GLOBAL_CACHE_DIR=${TWAINTRACE_ZIG_CACHE}
          ZIG_LOCAL_CACHE_DIR=${TWAINTRACE_ZIG_CACHE}
          ${TWAINTRACE_ZIG} c++ -target ${zig_target} -shared ${zig_tools}/probe.cpp
          -o ${zig_tools}/probe.dylib
  ERROR_VARIABLE zig_link_line RESULT_VARIABLE zig_result)
string(REGEX MATCHALL "[^ \n]+/(libcompiler_rt|libc\\+\\+abi|libc\\+\\+)\\.a" zig_runtime
  "${zig_link_line}")
# A cold cache also prints the archives' own ar commands, which name the same files.
list(REMOVE_DUPLICATES zig_runtime)
list(LENGTH zig_runtime zig_runtime_count)
if(NOT zig_result EQUAL 0 OR NOT zig_runtime_count EQUAL 3)
  message(FATAL_ERROR "Zig did not link its probe for ${zig_target}:\n${zig_link_line}")
endif()
get_filename_component(zig_home "${TWAINTRACE_ZIG}" DIRECTORY)
set(libsystem "${zig_home}/lib/libc/darwin/libSystem.13.tbd")
list(JOIN zig_runtime "' '" zig_runtime_words)

# CMake takes one program per tool: small wrappers, kept with the cache. A command with -c
# compiles with Zig; any other links with the clang driver and ld64.lld. The Boost directory is
# reached through a folder holding only it, so that no other header of the build host can stand
# in for a missing one of the target.
file(MAKE_DIRECTORY "${zig_tools}/boost-only")
file(CREATE_LINK "${TWAINTRACE_BOOST_INCLUDE}" "${zig_tools}/boost-only/boost" SYMBOLIC)
string(REGEX REPLACE "^aarch64" "arm64" clang_arch "${TWAINTRACE_MACOS_ARCH}")
# (Zig refuses -Wl,-v, which CMake's compiler check passes while compiling.)
file(WRITE "${zig_tools}/c++" "#!/bin/sh\n${zig_environment}\n"
  "compiling=no\nfor argument; do [ \"$argument\" = -c ] && compiling=yes; done\n"
  "if [ $compiling = yes ]; then\n"
  "  for argument; do shift; [ \"$argument\" = -Wl,-v ] || set -- \"$@\" \"$argument\"; done\n"
  "  exec '${TWAINTRACE_ZIG}' c++ -target ${zig_target} -idirafter '${zig_tools}/boost-only' \"$@\"\n"
  "fi\n"
  "exec '${TWAINTRACE_CLANG}' --target=${clang_arch}-apple-macos${macos_minimum} "
  "-fuse-ld='${TWAINTRACE_MACOS_LINKER}' -nostdlib "
  "-Wl,-platform_version,macos,${macos_minimum},${macos_minimum} \"$@\" "
  "'${zig_runtime_words}' '${libsystem}'\n")
file(WRITE "${zig_tools}/ar" "#!/bin/sh\n${zig_environment}\nexec '${TWAINTRACE_ZIG}' ar \"$@\"\n")
file(WRITE "${zig_tools}/ranlib" "#!/bin/sh\n${zig_environment}\nexec '${TWAINTRACE_ZIG}' ranlib \"$@\"\n")
file(CHMOD "${zig_tools}/c++" "${zig_tools}/ar" "${zig_tools}/ranlib"
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CMAKE_CXX_COMPILER "${zig_tools}/c++")
set(CMAKE_AR "${zig_tools}/ar" CACHE FILEPATH "")
set(CMAKE_RANLIB "${zig_tools}/ranlib" CACHE FILEPATH "")

# Nothing of the build host is a package of the target, but for Boost's headers.
file(WRITE "${zig_tools}/boost-config/BoostConfig.cmake"
  "# The build host's Boost headers, which the compiler wrapper reads after the target's own.\n"
  "if(NOT TARGET Boost::headers)\n  add_library(Boost::headers INTERFACE IMPORTED)\nendif()\n")
set(Boost_DIR "${zig_tools}/boost-config" CACHE PATH "")
set(CMAKE_FIND_ROOT_PATH "${zig_tools}/no-packages")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(TWAINTRACE_APPLE_FRAMEWORKS OFF CACHE BOOL "")
