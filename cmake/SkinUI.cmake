# Helpers shared by every folder of the build.

# Our own code is warning-clean.
function(skinui_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# One static library per layer, made from every source file of its folder. A folder that has no
# sources yet becomes an interface library so that the layers above can already link it.
function(skinui_layer name)
  cmake_parse_arguments(L "" "" "DIRS;DEPS;PRIVATE_DEPS" ${ARGN})
  set(srcs)
  foreach(dir IN LISTS L_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c ${dir}/*.S)
    list(APPEND srcs ${found})
  endforeach()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPS} PRIVATE ${L_PRIVATE_DEPS})
    skinui_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/Resources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Manifest.cmake)
