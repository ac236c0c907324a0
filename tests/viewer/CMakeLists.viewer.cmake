# viewer_tests runs the viewer's classes in-process: it compiles the
# viewer's sources (all but the program's entry point) and resources too.
if(TARGET viewer_tests)
  file(GLOB VIEWER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/viewer/*.cpp)
  list(FILTER VIEWER_TEST_SOURCES EXCLUDE REGEX "ViewerMain\\.cpp$")
  target_sources(viewer_tests PRIVATE ${VIEWER_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/viewer/Viewer.rc)
  target_include_directories(viewer_tests PRIVATE ${CMAKE_SOURCE_DIR}/viewer)
endif()
