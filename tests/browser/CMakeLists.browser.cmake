# browser_tests runs the browser's classes in-process: it compiles every
# source of the browser (all but the program's entry point) and all its
# resource scripts.
if(TARGET browser_tests)
  file(GLOB_RECURSE BROWSER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/browser/*.cpp)
  list(FILTER BROWSER_TEST_SOURCES EXCLUDE REGEX "/PixmereMain\\.cpp$")
  file(GLOB_RECURSE BROWSER_TEST_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/browser/*.rc)
  target_sources(browser_tests PRIVATE ${BROWSER_TEST_SOURCES} ${BROWSER_TEST_RESOURCES})
  target_include_directories(browser_tests PRIVATE ${CMAKE_SOURCE_DIR}/browser)
endif()
# The process tests start the real program.
if(TARGET browser_tests AND TARGET Pixmere)
  add_dependencies(browser_tests Pixmere)
endif()
