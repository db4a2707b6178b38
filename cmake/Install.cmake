# cmake --install: the framework's headers under include/quillmere/, its versioned libraries,
# the package, the quillmere tool, a CMake package (find_package(Quillmere)) and pkg-config
# files. cpack -G DEB makes a Debian package of the same.
include(CMakePackageConfigHelpers)

get_property(qm_libraries GLOBAL PROPERTY QM_INSTALLED_LIBRARIES)
install(TARGETS ${qm_libraries} EXPORT QuillmereTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS quillmere RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Each folder of headers keeps its name, so that #include "controls/TForm.h" reads the same in
# the tree and installed; the tool's own folder is not part of the library.
get_property(qm_header_folders GLOBAL PROPERTY QM_HEADER_FOLDERS)
foreach(folder IN LISTS qm_header_folders)
  get_filename_component(name ${folder} NAME)
  if(NOT name STREQUAL "app")
    install(DIRECTORY ${folder}/ DESTINATION ${QM_INSTALL_INCLUDEDIR}/${name}
            FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()

install(EXPORT QuillmereTargets NAMESPACE Quillmere:: DESTINATION ${QM_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuillmereConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuillmereConfig.cmake INSTALL_DESTINATION ${QM_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuillmereConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuillmereConfig.cmake
              ${PROJECT_BINARY_DIR}/QuillmereConfigVersion.cmake
        DESTINATION ${QM_INSTALL_CMAKEDIR})

# The files name the prefix relative to their own place, so that an install moved elsewhere
# (or made with --prefix) still points at itself.
file(RELATIVE_PATH QM_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
foreach(pc quillmere quillmere-sdl)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "Quillmere")
set(CPACK_PACKAGE_CONTACT "Quillmere developers <quillmere@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Nine visual controls and the component framework they stand on")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
find_program(QM_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QM_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libfreetype6, libfontconfig1, libpng16-16, libsdl2-2.0-0, libgif7, libstdc++6")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libfreetype-dev, libfontconfig-dev, libpng-dev, libsdl2-dev")
include(CPack)
