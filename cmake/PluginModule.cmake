# add_plugin_module(NAME SOURCES...): one loadable plug-in named NAME.so
# (NAME.dll on Windows, no "lib" prefix) built from its exports file, the
# pure core and the platform layer.
function(add_plugin_module name)
  if(PROBE_FUZZ)
    return()  # the fuzz build instruments the core alone
  endif()
  add_library(${name} MODULE ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_libraries(${name} PRIVATE probe_core probe_platform)
  if(WIN32)
    set(def ${CMAKE_SOURCE_DIR}/plugin_api/plugin_exports.def)
    target_sources(${name} PRIVATE ${def} ${CMAKE_SOURCE_DIR}/plugin_api/dll_main_win32.cpp)
    target_link_options(${name} PRIVATE -static-libgcc -static-libstdc++
      -Wl,--disable-stdcall-fixup)
  else()
    # Keep what the static core and platform layer define (C++ template code
    # among it) out of the module's dynamic symbol table.
    target_link_options(${name} PRIVATE -Wl,--exclude-libs,ALL)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      # Fail the link on an unresolved symbol instead of at dlopen time (clang
      # leaves sanitizer runtimes out of modules, so only with g++).
      target_link_options(${name} PRIVATE -Wl,--no-undefined)
    endif()
  endif()
endfunction()
