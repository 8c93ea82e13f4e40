# The sound-only formats and the streams kept through Tarvello.exe's windows.
# Fixture `sound_clips`: make-sound-clips.sh adds its clips to the clips folder.
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_sound_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/make-sound-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_sound_clips PROPERTIES
    FIXTURES_SETUP sound_clips FIXTURES_REQUIRED clips TIMEOUT 300)
endif()

if(WIN32)
  tarvello_win_test(NAME sound_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/SoundAndKeptTest.cpp"
    LIBS e2e_main_driver e2e_encoder_harness
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips sound_clips)
  add_dependencies(sound_e2e_test Tarvello quenforenc help_files)
  if(TARVELLO_RUN_WINDOWS_TESTS)
    set_tests_properties(sound_e2e_test PROPERTIES TIMEOUT 900)
  endif()
endif()
