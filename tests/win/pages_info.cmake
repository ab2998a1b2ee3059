# The native window's Link Info, Configuration and About pages in process (label win). Wine
# makes windows only on an X display: the test gets one of its own where xvfb-run is there.
add_executable(pages_info_test pages_info_test.cpp $<TARGET_OBJECTS:nv_win_resources>)
target_include_directories(pages_info_test PRIVATE ${PROJECT_SOURCE_DIR}/windows/res)
target_link_libraries(pages_info_test PRIVATE nv_win_ui nv_test_support GTest::gtest_main
                                              nv_warnings)
find_program(NV_XVFB_RUN xvfb-run)
if(NV_XVFB_RUN)
  add_test(NAME pages_info_test
           COMMAND ${NV_XVFB_RUN} -a -s "-screen 0 1024x768x24 -nolisten tcp"
                   ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:pages_info_test>)
else()
  add_test(NAME pages_info_test COMMAND pages_info_test)
endif()
set_tests_properties(pages_info_test PROPERTIES LABELS win TIMEOUT 300)
