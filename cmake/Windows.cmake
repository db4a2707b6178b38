# What the Windows build takes from the build machine: the mingw-w64 runtime, which goes beside
# the programs, and header-only libraries that Debian ships for any target. Everything else
# is the system's (gdi32, user32, kernel32, windowscodecs).

# Tests and tools built here run under Wine, in a prefix with the classic Windows desktop.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine/wine-run.sh)

# Programs and libraries share one folder: Windows finds a program's libraries beside it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

# The compiler's runtime libraries, as the programs built with it need them.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
    file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endif()
endforeach()

# A header-only library of the build machine's /usr/include, seen through a folder that holds
# just its own folder, so that no other header of that tree comes along.
function(qm_host_headers target folder)
  set(root ${PROJECT_BINARY_DIR}/host-headers/${target})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${root})
endfunction()

# CLI11 for the tool's command line; stb for PNG files.
qm_host_headers(QmCli11 CLI)
add_library(CLI11::CLI11 ALIAS QmCli11)
qm_host_headers(QmStb stb)

# GoogleTest from Debian's sources, built with the cross compiler.
if(QM_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own warnings are not ours to fail on.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
endif()
