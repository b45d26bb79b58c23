# The Windows build (cmake/mingw-w64.cmake): the same sources above the platform, with Windows
# itself as the platform. Included by the top-level CMakeLists.txt instead of the Linux
# libraries' pkg-config modules.

enable_language(RC)

# Libraries come from their static archives (libz.a, not the import library of zlib1.dll), so
# that a program needs no DLL beyond the system's.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# scripts/windows-deps.sh builds minizip into SKINUI_WINDEPS_PREFIX; zlib is Debian's mingw-w64
# package. The toolchain file points pkg-config at those two places only.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
find_package(Threads REQUIRED)

# stb is one header folder (libstb-dev) that needs no build; it is reached through a folder of
# its own so that nothing else of the host's /usr/include is seen.
find_path(SKINUI_STB_ROOT stb/stb_image.h PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(stb_dir ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${stb_dir})
file(CREATE_LINK ${SKINUI_STB_ROOT}/stb ${stb_dir}/stb SYMBOLIC)
add_library(skinui_stb INTERFACE)
target_include_directories(skinui_stb SYSTEM INTERFACE ${stb_dir})

# Platform/Win32.h and its parts are the real Windows headers: their folder comes before the
# source tree on every target's include path.
include_directories(BEFORE ${CMAKE_SOURCE_DIR}/Platform/WindowsHeaders)
add_compile_definitions(UNICODE _UNICODE)

# What the platform layer links on Windows: the system's own libraries.
set(SKINUI_WINDOWS_SYSTEM_LIBS user32 gdi32 msimg32 comctl32 comdlg32 shell32 shlwapi ole32
    oleaut32 uuid advapi32 version winmm imm32)

# The installer, its archive reader and its payload; off for a build of the framework alone.
option(SKINUI_WINDOWS_INSTALLER "Build setup/, SevenZip/ and the payload for Windows" ON)
