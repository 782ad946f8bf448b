# Native build: the core over fakes, with GoogleTest unit tests.
include(cmake/GoogleTest.cmake)

add_library(vandrell_fakes STATIC tests/fakes/FakeSystem.cpp)
target_link_libraries(vandrell_fakes PUBLIC vandrell_core)

add_executable(host_tests
  tests/host/DirectoryTreeTest.cpp
  tests/host/InstallCommandTest.cpp
  tests/host/PathPredicatesTest.cpp
  tests/host/PayloadTest.cpp
  tests/host/PollTimerTest.cpp
  tests/host/ProcessCheckTest.cpp
  tests/host/TextRulesTest.cpp
  tests/host/ToolDeploymentTest.cpp
)
target_link_libraries(host_tests PRIVATE vandrell_fakes gtest_main)
include(GoogleTest)
gtest_discover_tests(host_tests)
