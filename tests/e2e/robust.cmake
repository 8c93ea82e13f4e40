# Robustness sweep of the whole program: damaged and odd sources, missing
# encoder or FFmpeg, unusable folders, hand-edited settings, the program or
# encoder killed, Cancel at awkward moments. Real Tarvello.exe, quenforenc.exe
# and ffmpeg.exe, each test in a private copy of the program folder.
#
# Fixture `robust_clips`: robust-clips.sh adds the damaged files beside the
# ordinary clips (after them: it shares their folder).
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_robust_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/robust-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_robust_clips PROPERTIES
    FIXTURES_SETUP robust_clips FIXTURES_REQUIRED clips TIMEOUT 120)
endif()

if(WIN32)
  tarvello_win_test(NAME robust_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/RobustSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RobustImportTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RobustRunTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RobustStopTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RobustSettingsTest.cpp"
    LIBS e2e_main_driver
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips robust_clips)
  add_dependencies(robust_e2e_test Tarvello quenforenc help_files)
endif()
