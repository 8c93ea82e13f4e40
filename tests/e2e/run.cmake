# End-to-end test of the batch run: the engine's run with the real
# quenforenc.exe and ffmpeg.exe of the program folder on two sample clips.
if(WIN32)
  tarvello_win_test(NAME run_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/RunBatchEndToEndTest.cpp"
      "${CMAKE_SOURCE_DIR}/tests/win/run/RunTestHost.cpp"
    RESOURCES "${CMAKE_SOURCE_DIR}/res/Tarvello.rc" "${CMAKE_SOURCE_DIR}/res/TarvelloManifest.rc"
    LIBS ui e2e_encoder_harness win_test_support
    FIXTURES clips)
  target_compile_definitions(run_e2e_test PRIVATE RUN_E2E_PROGRAM_DIR="${TARVELLO_PROGRAM_DIR}/")
  add_dependencies(run_e2e_test quenforenc)
endif()
