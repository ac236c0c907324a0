# browser_tests runs the browser's classes in-process: it links the
# browser's object library (every source but the program's entry point) and
# compiles its resource scripts.
if(TARGET browser_tests)
  target_sources(browser_tests PRIVATE ${BROWSER_RESOURCES})
  target_link_libraries(browser_tests PRIVATE browser_classes)
  # Before rastel's folder, which has a resource.h of its own.
  target_include_directories(browser_tests PRIVATE ${CMAKE_SOURCE_DIR}/browser)
endif()
# The process tests start the real program.
if(TARGET browser_tests AND TARGET Pixmere)
  add_dependencies(browser_tests Pixmere)
endif()
