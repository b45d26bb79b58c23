# skinui_header_check: every header of the sources compiles on its own, so that each one
# includes what it uses. One generated translation unit per header; built with everything.
function(skinui_header_check)
  set(patterns)
  foreach(dir Platform Utils Core Control Layout setup tools demo tests/support tests/childprocs)
    list(APPEND patterns ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  endforeach()
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${patterns})
  # The Windows build's own headers include <windows.h>.
  list(FILTER headers EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/Platform/Windows")
  set(units)
  foreach(header IN LISTS headers)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${header})
    string(MAKE_C_IDENTIFIER ${relative} unit)
    set(source ${CMAKE_BINARY_DIR}/header-check/${unit}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n")
    list(APPEND units ${source})
  endforeach()
  add_library(skinui_header_check OBJECT ${units})
  target_include_directories(skinui_header_check PRIVATE ${CMAKE_SOURCE_DIR}
                             ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(skinui_header_check PRIVATE skinui_testsupport PkgConfig::GTK3
                        PkgConfig::CAIRO PkgConfig::PANGO PkgConfig::SQLITE3
                        PkgConfig::LIBARCHIVE PkgConfig::MINIZIP)
  # A header that only declares trips no warning; -Werror keeps it so.
  skinui_warnings(skinui_header_check)
endfunction()
