# tavlin_add_gtest(NAME source...): one GoogleTest program, built in both
# trees. Natively each test case is its own ctest entry; under Wine the
# program runs once as a whole, since every start of Wine costs time.
include(GoogleTest)

function(tavlin_add_gtest name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tavlin_core tavlin_test_support
                        GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
