# A sweep of the whole program: damaged and odd sources, missing
# encoder or FFmpeg, unusable folders, hand-edited settings, the program or
# encoder killed, Cancel at awkward moments. Real Tarvello.exe, quenforenc.exe
# and ffmpeg.exe, each test in a private copy of the program folder.
#
# Fixture `damaged_clips`: damaged-clips.sh adds the damaged files beside the
# ordinary clips (after them: it shares their folder).
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_damaged_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/damaged-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_damaged_clips PROPERTIES
    FIXTURES_SETUP damaged_clips FIXTURES_REQUIRED clips TIMEOUT 120)
endif()

if(WIN32)
  tarvello_win_test(NAME failures_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/ImportFailuresTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RunFailuresTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/StopAndKillTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/HandEditedSettingsTest.cpp"
    LIBS e2e_main_driver
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips damaged_clips)
  add_dependencies(failures_e2e_test Tarvello quenforenc help_files)
endif()

# Fit to a size: fixture `detail_clips` adds clips of fine detail beside the
# ordinary ones; per-file targets in five formats, a whole-list target and a
# refusal, through Tarvello.exe.
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_detail_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/make-detail-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_detail_clips PROPERTIES
    FIXTURES_SETUP detail_clips FIXTURES_REQUIRED clips TIMEOUT 120)
endif()

if(WIN32)
  tarvello_win_test(NAME target_size_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/TargetSizeTest.cpp"
    LIBS e2e_main_driver core
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips detail_clips)
  add_dependencies(target_size_e2e_test Tarvello quenforenc help_files)
  if(TEST target_size_e2e_test)
    set_tests_properties(target_size_e2e_test PROPERTIES TIMEOUT 900)
  endif()
endif()
