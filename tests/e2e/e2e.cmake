# End-to-end tests: the real encoder (and, in other fragments, the program) on
# sample clips made by the host's ffmpeg.
#
# Fixture `clips`: make-clips.sh writes the clips into ${CMAKE_BINARY_DIR}/clips
# (names listed in the script). Tests that need them add FIXTURES clips.
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/make-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_clips PROPERTIES FIXTURES_SETUP clips TIMEOUT 120)
endif()

if(WIN32)
  add_library(e2e_encoder_harness STATIC "${CMAKE_CURRENT_LIST_DIR}/EncoderHarness.cpp")
  target_link_libraries(e2e_encoder_harness PUBLIC encoder_core win_test_support user32)

  tarvello_win_test(NAME encoder_e2e_test
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/EncoderEndToEndTest.cpp"
    LIBS e2e_encoder_harness core source_headers
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips damaged_clips source_clips)
  # The encoder and ffmpeg.exe must be in the program folder before it runs.
  add_dependencies(encoder_e2e_test quenforenc)

  # MP4, MKV and WebM: containers, codecs, sizes, rates and quality.
  tarvello_win_test(NAME constant_quality_e2e_test
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/ConstantQualityFormatsTest.cpp"
    LIBS e2e_encoder_harness core
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips)
  add_dependencies(constant_quality_e2e_test quenforenc)
  # 33 short encodes with H.265 and VP9 among them: minutes on a busy machine.
  if(TEST constant_quality_e2e_test)
    set_tests_properties(constant_quality_e2e_test PROPERTIES TIMEOUT 1800)
  endif()
endif()

# HDR, interlaced, HD colour and dated sources. Fixture `picture_clips`:
# make-picture-clips.sh adds them to the clips folder.
if(WIN32 AND TARVELLO_RUN_WINDOWS_TESTS)
  add_test(NAME make_picture_clips
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/make-picture-clips.sh" "${CMAKE_BINARY_DIR}/clips")
  set_tests_properties(make_picture_clips PROPERTIES
    FIXTURES_SETUP picture_clips FIXTURES_REQUIRED clips TIMEOUT 300)
endif()
if(WIN32)
  tarvello_win_test(NAME picture_e2e_test
    SOURCES "${CMAKE_CURRENT_LIST_DIR}/PictureEndToEndTest.cpp"
    LIBS e2e_encoder_harness core
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips picture_clips)
  add_dependencies(picture_e2e_test quenforenc)
  if(TEST picture_e2e_test)
    set_tests_properties(picture_e2e_test PROPERTIES TIMEOUT 900)
  endif()
endif()
# The same kinds of clip imported and converted through Tarvello.exe's windows.
if(WIN32)
  tarvello_win_test(NAME picture_program_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/PictureProgramTest.cpp"
    LIBS e2e_main_driver e2e_encoder_harness
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips picture_clips)
  add_dependencies(picture_program_e2e_test Tarvello quenforenc help_files)
  if(TEST picture_program_e2e_test)
    set_tests_properties(picture_program_e2e_test PROPERTIES TIMEOUT 900)
  endif()
endif()
