# glintfix_tests runs the red-eye editor's classes in-process: it compiles
# the editor's sources (all but the program's entry point) and resources too.
if(TARGET glintfix_tests)
  file(GLOB GLINTFIX_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/glintfix/*.cpp)
  list(FILTER GLINTFIX_TEST_SOURCES EXCLUDE REGEX "GlintfixMain\\.cpp$")
  target_sources(glintfix_tests PRIVATE ${GLINTFIX_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/glintfix/Glintfix.rc)
  target_include_directories(glintfix_tests PRIVATE ${CMAKE_SOURCE_DIR}/glintfix)
endif()
