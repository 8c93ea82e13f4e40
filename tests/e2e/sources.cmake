# Today's containers and codecs (MP4, MOV, MKV, WebM, TS, WMV, fragmented
# MP4, an MP3 without video) picked or dropped, and converted by the real
# program. Fixture `source_clips`: make-source-clips.sh adds them to the clips
# folder (after the ordinary clips: it shares their folder).
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_source_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/make-source-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_source_clips PROPERTIES
    FIXTURES_SETUP source_clips FIXTURES_REQUIRED clips TIMEOUT 300)
endif()

if(WIN32)
  tarvello_win_test(NAME sources_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/SourceFormatsTest.cpp"
    LIBS e2e_main_driver shell32
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips source_clips)
  add_dependencies(sources_e2e_test Tarvello quenforenc help_files)
  # 21 conversions of 2 s clips, and a second attempt for a lost race.
  if(TARVELLO_RUN_WINDOWS_TESTS)
    set_tests_properties(sources_e2e_test PROPERTIES TIMEOUT 1500)
  endif()
endif()
