# Native build: the core over fakes, with GoogleTest unit tests; the tool checker (which the
# Windows trees compile for themselves at configure time) and its fixture writer.
add_library(vandrell_tool_check STATIC payloads/ToolCheck.cpp)
target_include_directories(vandrell_tool_check PUBLIC ${CMAKE_SOURCE_DIR})
add_executable(make_tool_fixture tests/fixtures/MakeToolFixture.cpp tests/fixtures/ToolFixture.cpp)
target_link_libraries(make_tool_fixture PRIVATE vandrell_tool_check)

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
  tests/host/ToolCheckTest.cpp
  tests/host/ToolDeploymentTest.cpp
  tests/fixtures/ToolFixture.cpp
)
target_link_libraries(host_tests PRIVATE vandrell_fakes vandrell_tool_check gtest_main)
include(GoogleTest)
gtest_discover_tests(host_tests)
