# The Security and Site Survey pages and the Profile dialog in process, under Wine (label win).
if(TARGET nv_win_ui)
  add_executable(pages_security_survey_test pages_security_survey_test.cpp
                                            $<TARGET_OBJECTS:nv_win_resources>)
  target_link_libraries(pages_security_survey_test PRIVATE nv_win_ui nv_test_support
                                                           GTest::gtest_main nv_warnings)
  target_include_directories(pages_security_survey_test PRIVATE ${PROJECT_SOURCE_DIR}/windows/src
                                                                ${PROJECT_SOURCE_DIR}/windows/res)
  add_test(NAME pages_security_survey_test
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/on_display.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                   $<TARGET_FILE:pages_security_survey_test>)
  set_tests_properties(pages_security_survey_test PROPERTIES LABELS win TIMEOUT 300 RUN_SERIAL ON)
endif()
