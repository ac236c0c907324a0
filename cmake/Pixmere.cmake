# Helpers shared by the suite's CMake files.

set(PIXMERE_MANIFEST_FILE ${CMAKE_CURRENT_LIST_DIR}/pixmere.manifest)
set(PIXMERE_MANIFEST_RC ${CMAKE_BINARY_DIR}/manifest.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/manifest.rc.in ${PIXMERE_MANIFEST_RC} @ONLY)
set(PIXMERE_WIN32_LIBS gdi32 user32 kernel32 advapi32 shell32 shlwapi ole32 oleaut32 uuid
    comctl32 comdlg32 vfw32 msvfw32 winmm msimg32 version)

# Every .cpp below a folder, for modules built from all their sources.
function(pixmere_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# A program or test executable: embeds the application manifest (common
# controls 6, UTF-8 ANSI code page).
function(pixmere_embed_manifest target)
  target_sources(${target} PRIVATE ${PIXMERE_MANIFEST_RC})
endfunction()

# One of the suite's programs, built from every .cpp and .rc below its folder
# (a program may keep resource scripts beside its parts, e.g. panes/*.rc; all
# of them link into the one executable). FOLDERPANE links the shell-tree
# library too.
#   pixmere_program(NAME Pixmere [FOLDERPANE])
function(pixmere_program)
  cmake_parse_arguments(P "FOLDERPANE" "NAME" "" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  pixmere_sources(sources ${dir})
  if(NOT sources)
    return()
  endif()
  file(GLOB_RECURSE resources CONFIGURE_DEPENDS ${dir}/*.rc)
  add_executable(${P_NAME} WIN32 ${sources} ${resources})
  target_include_directories(${P_NAME} PRIVATE ${dir})
  target_link_libraries(${P_NAME} PRIVATE rastel framework)
  if(P_FOLDERPANE AND TARGET FolderPane)
    target_link_libraries(${P_NAME} PRIVATE FolderPane)
  endif()
  pixmere_embed_manifest(${P_NAME})
endfunction()
