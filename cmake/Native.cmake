# Native Linux tree: the core and its unit tests.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB native_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${native_test_sources})
target_include_directories(native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(native_tests PRIVATE quickdex_core quickdex_jpeg GTest::gtest GTest::gtest_main)
target_compile_definitions(native_tests PRIVATE QUICKDEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(native_tests DISCOVERY_MODE PRE_TEST)
