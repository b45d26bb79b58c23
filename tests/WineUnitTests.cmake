# The unit tests of Utils, Core, Layout and Control built for Windows from the same sources, and
# run under Wine (label unit-wine). Included by tests/CMakeLists.txt on Windows.

# GoogleTest from Debian's own sources (libgtest-dev), compiled by the same toolchain.
set(SKINUI_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${SKINUI_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# What only the Linux tests use (child processes, FUSE mounts, 7z archives, install drives) stays
# out; the seam to the system is the Windows one.
list(FILTER SUPPORT_SOURCES EXCLUDE REGEX
     "/(ChildProcess|FuseMount|ScratchMount|SevenZip|InstallDrive)\\.cpp$")
file(GLOB SUPPORT_SEAM CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/windows/*.cpp)
add_library(skinui_testsupport STATIC ${SUPPORT_SOURCES} ${SUPPORT_SEAM})
target_include_directories(skinui_testsupport PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(skinui_testsupport PUBLIC skinui_control gtest PRIVATE skinui_stb
                      PkgConfig::ZLIB)
skinui_warnings(skinui_testsupport)

# The tests listed in wine-linux-only.txt (with their reasons) are left out by gtest's filter.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/wine-linux-only.txt listed REGEX "^[A-Za-z]")
set(linux_only)
foreach(line IN LISTS listed)
  string(REGEX MATCH "^[A-Za-z0-9_/.*]+" name "${line}")
  list(APPEND linux_only ${name})
endforeach()
list(JOIN linux_only ":" linux_only_filter)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/wine-linux-only.txt)

# Wine in a prefix of the build's own (scripts/with-wine.sh makes it once).
set(wine_runner bash ${CMAKE_SOURCE_DIR}/scripts/with-wine.sh)
# Windows there are not handed to a window manager: with none running, Wine would wait two
# seconds for one each time a window is hidden.
add_test(NAME wine.prefix COMMAND ${wine_runner} reg add "HKCU\\Software\\Wine\\X11 Driver"
                                  /v Managed /t REG_SZ /d N /f)
set_tests_properties(wine.prefix PROPERTIES LABELS unit-wine TIMEOUT 300 FIXTURES_SETUP wine)

# One program per folder, one ctest entry per program (listing the tests would start Wine at
# configure time).
foreach(folder Utils Core Layout Control)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  string(TOLOWER ${folder} lower)
  set(target ${lower}_tests)
  add_executable(${target} ${srcs})
  target_link_libraries(${target} PRIVATE skinui_testsupport gtest_main)
  skinui_warnings(${target})
  add_test(NAME wine.${target}
           COMMAND ${wine_runner} $<TARGET_FILE:${target}> --gtest_filter=-${linux_only_filter})
  # One at a time: the pointer, the keyboard and the foreground window are the display's.
  set_tests_properties(wine.${target} PROPERTIES LABELS unit-wine TIMEOUT 900
    FIXTURES_REQUIRED wine RESOURCE_LOCK wine-display
    ENVIRONMENT "SKINUI_TEST_DATA=Z:${CMAKE_CURRENT_SOURCE_DIR}/data;SKINUI_BUILD_DIR=Z:${CMAKE_BINARY_DIR}")
endforeach()
