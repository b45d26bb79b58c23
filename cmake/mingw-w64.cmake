# Cross-compiling the Windows programs with Debian's mingw-w64 (posix threads, for std::thread).
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...   (scripts/build.sh windows)
#
# Programs link libgcc, libstdc++ and winpthread statically, so that an .exe needs nothing but
# the DLLs of Windows itself. pkg-config sees only Windows libraries: the ones
# scripts/windows-deps.sh builds into its prefix, and Debian's mingw-w64 ones.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SKINUI_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${SKINUI_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKINUI_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SKINUI_MINGW_TRIPLET}-windres)
set(CMAKE_ASM_COMPILER ${SKINUI_MINGW_TRIPLET}-gcc-posix)

# Where scripts/windows-deps/lib.sh puts the libraries it builds.
if(NOT SKINUI_WINDEPS_PREFIX)
  if(DEFINED ENV{SKINUI_WINDEPS})
    set(windeps "$ENV{SKINUI_WINDEPS}")
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(windeps "$ENV{XDG_CACHE_HOME}/skinui-windows")
  else()
    set(windeps "$ENV{HOME}/.cache/skinui-windows")
  endif()
  set(SKINUI_WINDEPS_PREFIX "${windeps}/prefix" CACHE PATH
      "The prefix of the Windows libraries built by scripts/windows-deps.sh")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${SKINUI_MINGW_TRIPLET} ${SKINUI_WINDEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(ENV{PKG_CONFIG_LIBDIR}
    "${SKINUI_WINDEPS_PREFIX}/lib/pkgconfig:/usr/${SKINUI_MINGW_TRIPLET}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# -static: libgcc, libstdc++, winpthread and every library given as a path or -l name from its
# .a archive; the system DLLs still come through their import libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
