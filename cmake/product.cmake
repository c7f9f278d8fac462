# The product's binaries take from the C++ runtime only what a small Win32
# program needs. Each one (korvex, korvlnch, and any new program) calls
# korvex_product_binary(target); the tests and tools keep the full runtime.
if(MINGW)
  # The runtime built for the win32 thread model, from the toolchain's -win32
  # twin: these programs start no thread, and winpthread would add its own
  # start-up and 26 KB. Only the thread model differs between the two builds.
  string(REGEX REPLACE "-posix$" "-win32" win32_threads_compiler "${CMAKE_CXX_COMPILER}")
  if(NOT win32_threads_compiler STREQUAL CMAKE_CXX_COMPILER AND EXISTS "${win32_threads_compiler}")
    execute_process(COMMAND ${win32_threads_compiler} -print-file-name=libstdc++.a
                    OUTPUT_VARIABLE win32_threads_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(KORVEX_WIN32_THREADS_LIBDIR "${win32_threads_libstdcxx}" DIRECTORY)
  endif()
  if(NOT EXISTS "${KORVEX_WIN32_THREADS_LIBDIR}/libstdc++.a")
    message(FATAL_ERROR "No win32-threads runtime beside ${CMAKE_CXX_COMPILER} (g++-mingw-w64-*-win32)")
  endif()
  # An archive, searched before the C++ library: its replacements come in only
  # where a program uses what they replace.
  add_library(korvex_runtime STATIC ${PROJECT_SOURCE_DIR}/runtime/library_errors.cpp)
  # The same source gives the same bytes in any folder, at any time: no build
  # path in the output (the link's too, for link-time optimisation) and no
  # time stamp in the PE header, whose checksum then depends on the bytes only.
  set(KORVEX_PREFIX_MAPS -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
  add_compile_options(${KORVEX_PREFIX_MAPS})
  add_link_options(${KORVEX_PREFIX_MAPS} -Wl,--no-insert-timestamp)
endif()

# The project's own static libraries that a target links, at any depth.
function(korvex_own_libraries target out)
  set(found)
  get_target_property(libraries ${target} LINK_LIBRARIES)
  foreach(library IN LISTS libraries)
    if(TARGET ${library})
      get_target_property(type ${library} TYPE)
      get_target_property(dir ${library} SOURCE_DIR)
      if(type STREQUAL "STATIC_LIBRARY" AND dir MATCHES "^${PROJECT_SOURCE_DIR}/")
        korvex_own_libraries(${library} deeper)
        list(APPEND found ${library} ${deeper})
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# NO_LTO: the target, and the libraries only it links, without link-time
# optimisation.
function(korvex_product_binary target)
  cmake_parse_arguments(PARSE_ARGV 1 product "NO_LTO" "" "")
  if(NOT MINGW)
    return()
  endif()
  # The library's default terminate handler and its exceptions with message
  # strings would bring in the demangler and a second string type.
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/runtime/terminate_handler.cpp)
  target_link_libraries(${target} PRIVATE korvex_runtime)
  # Searched before the compiler's own: libstdc++, libgcc and libgcc_eh of the
  # win32 thread model. The sources must then use no std::thread or std::mutex.
  target_link_options(${target} PRIVATE -L${KORVEX_WIN32_THREADS_LIBDIR})
  # Link-time optimisation, and no locks around static locals: one thread.
  # The libraries keep ordinary code beside (fat objects) for the tests, which
  # link without it: GCC 12's LTO fails on the GoogleTest programs.
  set(options -flto=auto -fno-threadsafe-statics)
  if(product_NO_LTO)
    # -fno-lto at the link too: the linker would otherwise take the shared
    # libraries' optimiser code from their fat objects.
    set(options -fno-threadsafe-statics -fno-lto)
    target_link_options(${target} PRIVATE -fno-lto)
  else()
    # One partition: GCC 12 stops with an internal error (binds_to_current_def_p)
    # when it splits the window's code across partitions.
    target_link_options(${target} PRIVATE -flto=auto -flto-partition=one)
  endif()
  target_compile_options(${target} PRIVATE ${options})
  korvex_own_libraries(${target} libraries)
  foreach(library IN LISTS libraries)
    get_target_property(compile_options ${library} COMPILE_OPTIONS)
    if(product_NO_LTO AND NOT "-fno-threadsafe-statics" IN_LIST compile_options)
      target_compile_options(${library} PRIVATE ${options})
    elseif(NOT product_NO_LTO AND NOT "-ffat-lto-objects" IN_LIST compile_options)
      target_compile_options(${library} PRIVATE ${options} -ffat-lto-objects)
    endif()
  endforeach()
endfunction()
