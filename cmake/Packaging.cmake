# Installation layout and the Windows packages: an NSIS installer and a
# portable ZIP of the programs and DLLs, made by CPack from a build tree
# (scripts/package.sh). The installer script is our own template in
# cmake/nsis/, which installs into Program Files\Pixmere, registers the
# shell extension, adds Start-menu shortcuts and the Add/Remove entry.

foreach(target Pixmere Viewer Glintfix Contexo framework rastel FolderPane)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION . LIBRARY DESTINATION .)
  endif()
endforeach()

set(CPACK_PACKAGE_NAME "Pixmere")
set(CPACK_PACKAGE_VENDOR "Quenwick")
set(CPACK_PACKAGE_VERSION "1.0.0")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Pixmere photo-album suite")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Pixmere")
set(CPACK_NSIS_DISPLAY_NAME "Pixmere")
set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME "win64")
  set(CPACK_NSIS_PIXMERE_TARGET "amd64-unicode")
  set(CPACK_NSIS_PIXMERE_PROGRAM_FILES "$PROGRAMFILES64")
  set(CPACK_NSIS_PIXMERE_REGVIEW "SetRegView 64")
else()
  set(CPACK_SYSTEM_NAME "win32")
  set(CPACK_NSIS_PIXMERE_TARGET "x86-unicode")
  set(CPACK_NSIS_PIXMERE_PROGRAM_FILES "$PROGRAMFILES")
  set(CPACK_NSIS_PIXMERE_REGVIEW "")
endif()
set(CPACK_PACKAGE_FILE_NAME "Pixmere-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
# Our own NSIS.template.in is found before CMake's.
list(PREPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/nsis")
# Packaging never rebuilds: scripts/package.sh builds first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
