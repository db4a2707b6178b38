# The package as a Windows library module: QuillmereAll.bpl, its exports named by a
# module-definition file, its resources compiled from a resource script.

# The resources come from the package's own tables, written out by a program built for the
# build machine (a cross build cannot run what it builds), so both builds carry the same bytes.
find_program(QM_HOST_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(rc_dir ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(writer ${CMAKE_CURRENT_BINARY_DIR}/write-resources)
set(writer_sources
    ${CMAKE_CURRENT_SOURCE_DIR}/rc/WriteResources.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/GlyphResources.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PackageResources.cpp
    ${PROJECT_SOURCE_DIR}/platform/modules/VersionInfo.cpp)
add_custom_command(
  OUTPUT ${writer}
  COMMAND ${QM_HOST_CXX} -std=c++20 -O1 -I${PROJECT_SOURCE_DIR}/platform -I${PROJECT_SOURCE_DIR}
          ${writer_sources} -o ${writer}
  DEPENDS ${writer_sources} ${CMAKE_CURRENT_SOURCE_DIR}/Dib4.h
          ${CMAKE_CURRENT_SOURCE_DIR}/GlyphResources.h ${CMAKE_CURRENT_SOURCE_DIR}/PackageResources.h
  COMMENT "Building the package's resource writer for the build machine"
  VERBATIM)
add_custom_command(
  OUTPUT ${rc_dir}/QuillmereAll.rc
  COMMAND ${CMAKE_COMMAND} -E make_directory ${rc_dir}
  COMMAND ${writer} ${rc_dir}
  DEPENDS ${writer}
  COMMENT "Writing the package's resources"
  VERBATIM)
set_source_files_properties(${rc_dir}/QuillmereAll.rc PROPERTIES GENERATED TRUE)
target_sources(QuillmereAll PRIVATE ${rc_dir}/QuillmereAll.rc)

# The module-definition file names the exports; the module entry is exported as the package
# unit's initialization.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QM_DLL_ENTRY DllMain@12)
else()
  set(QM_DLL_ENTRY DllMain)
endif()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/win32/QuillmereAll.def.in
               ${CMAKE_CURRENT_BINARY_DIR}/QuillmereAll.def @ONLY)
target_sources(QuillmereAll PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/QuillmereAll.def)
# The classes and their type information go out under their C++ names; the C name of
# GetPackageInfoTable only under "@GetPackageInfoTable", and the entry point only as the unit's
# initialization.
target_link_options(QuillmereAll PRIVATE -Wl,--export-all-symbols
                    -Wl,--exclude-symbols,GetPackageInfoTable:DllMain)
set_target_properties(QuillmereAll PROPERTIES OUTPUT_NAME QuillmereAll PREFIX "" SUFFIX ".bpl")
