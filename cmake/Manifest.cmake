# The application manifest of every Windows program: common controls 6, the UTF-8 code page (so
# that CP_ACP means UTF-8 on Windows as it does on Linux), Windows 7 to 11 as supported systems,
# and system DPI awareness. Linked as resource RT_MANIFEST (24) 1, where Windows reads it when it
# starts the program.
#
#   skinui_require_administrator(<target>)
#
# makes <target>'s manifest ask Windows to run it elevated (requireAdministrator) instead of with
# the rights of whoever starts it (asInvoker).
#
#   skinui_manifests()
#
# called once at the end of the top-level CMakeLists.txt, gives every program of the build its
# manifest. Nothing on Linux.

function(skinui_require_administrator target)
  set_property(TARGET ${target} PROPERTY SKINUI_EXECUTION_LEVEL requireAdministrator)
endfunction()

function(skinui_manifests)
  if(NOT WIN32)
    return()
  endif()
  _skinui_programs(${CMAKE_SOURCE_DIR} programs)
  foreach(target IN LISTS programs)
    get_target_property(level ${target} SKINUI_EXECUTION_LEVEL)
    if(NOT level)
      set(level asInvoker)
    endif()
    set(dir ${CMAKE_BINARY_DIR}/manifests)
    set(SKINUI_EXECUTION_LEVEL ${level})
    configure_file(${CMAKE_SOURCE_DIR}/cmake/app.manifest.in ${dir}/${level}.manifest @ONLY)
    file(CONFIGURE OUTPUT ${dir}/${level}.rc CONTENT "1 24 \"${dir}/${level}.manifest\"\n")
    target_sources(${target} PRIVATE ${dir}/${level}.rc)
    set_source_files_properties(${dir}/${level}.rc TARGET_DIRECTORY ${target} PROPERTIES
                                OBJECT_DEPENDS ${dir}/${level}.manifest)
  endforeach()
endfunction()

# Every executable target made in <dir> and the folders below it.
function(_skinui_programs dir out)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    _skinui_programs(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
