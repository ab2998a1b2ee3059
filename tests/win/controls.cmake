# The drawing controls of the Windows program on a real dialog under Wine (label win), on an X
# display of their own. The program's resources are linked in for the About picture.
add_executable(controls_win_test ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp
                                 $<TARGET_OBJECTS:nv_win_resources>)
target_link_libraries(controls_win_test PRIVATE nv_win_ui nv_test_support GTest::gtest_main
                                                nv_warnings)
add_test(NAME controls_win_test
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/on_display.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                 $<TARGET_FILE:controls_win_test>)
set_tests_properties(controls_win_test PROPERTIES LABELS win TIMEOUT 300 RUN_SERIAL ON)
