# The installer test: packages the x86-64 build and installs, checks and
# uninstalls it under Wine in a prefix of its own (not the tests' prefix).
add_test(NAME installer
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/InstallerTest.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set_tests_properties(installer PROPERTIES TIMEOUT 600)
