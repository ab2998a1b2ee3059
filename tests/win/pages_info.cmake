# The native window's Link Info, Configuration and About pages in process (label win). Wine
# makes windows only on an X display: the test gets one of its own.
add_executable(pages_info_test pages_info_test.cpp $<TARGET_OBJECTS:nv_win_resources>)
target_include_directories(pages_info_test PRIVATE ${PROJECT_SOURCE_DIR}/windows/res)
target_link_libraries(pages_info_test PRIVATE nv_win_ui nv_test_support GTest::gtest_main
                                              nv_warnings)
add_test(NAME pages_info_test
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/on_display.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                 $<TARGET_FILE:pages_info_test>)
set_tests_properties(pages_info_test PROPERTIES LABELS win TIMEOUT 300 RUN_SERIAL ON)
