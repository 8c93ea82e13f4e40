# The conversion run on Windows: the encoders' launch and wait, their report
# windows, the scheduler that keeps up to N jobs going, the batch run, the
# import probes, output folders and file identity, and the run's signals.
if(WIN32)
  add_library(run STATIC
    ${CMAKE_CURRENT_LIST_DIR}/BatchRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowProgressPort.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EncoderJobs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EncoderLaunch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EnsureFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileIdentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImportProbes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JobScheduler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessagePump.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RunLogFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemRunSignals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemWhenDone.cpp)
  target_link_libraries(run PUBLIC core framework source_headers shell32 ole32 uuid user32 advapi32)

  # Windows tests of the run, with a scripted stand-in for quenforenc.exe in a
  # test program folder of its own (never the real program folder).
  set(_run_tests ${CMAKE_SOURCE_DIR}/tests/win/run)
  add_executable(run_fake_encoder WIN32 ${_run_tests}/fake_encoder/FakeEncoder.cpp
                 ${CMAKE_SOURCE_DIR}/res/TarvelloManifest.rc)
  target_link_libraries(run_fake_encoder PRIVATE protocol)
  set_target_properties(run_fake_encoder PROPERTIES
    OUTPUT_NAME quenforenc
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/run-test-program")

  tarvello_win_test(NAME run_test
    SOURCES
      ${_run_tests}/RunTestHost.cpp
      ${_run_tests}/EncoderLaunchTest.cpp
      ${_run_tests}/BatchRunTest.cpp
      ${_run_tests}/RunKeepsFilesTest.cpp
      ${_run_tests}/FileIdentityTest.cpp
      ${_run_tests}/RunSignalsOrderTest.cpp
      ${_run_tests}/WhenDoneRunTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/res/Tarvello.rc ${CMAKE_SOURCE_DIR}/res/TarvelloManifest.rc
    LIBS run ui win_test_support)
  add_dependencies(run_test run_fake_encoder)
endif()
