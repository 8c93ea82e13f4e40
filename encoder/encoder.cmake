# quenforenc.exe: the encoder the program starts once per job. Its pure part
# (argument text, FFmpeg translation, FFmpeg output readers) builds
# everywhere; the program itself only for Windows. The header readers are in
# media/, what it shares with the program in protocol/.
add_library(encoder_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EncoderCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FfmpegArguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FfmpegBannerReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LastLineTracker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OutputVerdict.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TwoPassArguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureFilters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamsKept.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrackMaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FfmpegProgressReader.cpp)
target_link_libraries(encoder_core PUBLIC protocol media)

if(WIN32)
  # The source file and the headers read from it without FFmpeg: the
  # encoder's probe and the program's import share it.
  add_library(source_headers STATIC
    ${CMAKE_CURRENT_LIST_DIR}/HeaderProbe.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IsoMediaFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SourceFile.cpp)
  target_link_libraries(source_headers PUBLIC media)

  # The platform side: window reports, the FFmpeg process, the output check.
  add_library(encoder_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ConversionLog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EventReporter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FfmpegProcess.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OutputCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PipeDrain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StepTimes.cpp)
  target_link_libraries(encoder_win PUBLIC encoder_core source_headers)

  add_executable(quenforenc
    ${CMAKE_CURRENT_LIST_DIR}/ConversionRunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EncoderMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FfmpegWatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProbeRunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TargetSizeRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quenforenc.rc)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/quenforenc.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/tarvello.manifest")
  target_link_libraries(quenforenc PRIVATE encoder_win)
  tarvello_program(quenforenc)

  # FFmpeg ships beside the encoder, taken from the pinned npm package
  # (scripts/setup installs it with npm ci).
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TARVELLO_FFMPEG_PACKAGE win32-x64)
  else()
    set(TARVELLO_FFMPEG_PACKAGE win32-ia32)
  endif()
  set(TARVELLO_FFMPEG_SOURCE "${CMAKE_SOURCE_DIR}/node_modules/@ffmpeg-installer/${TARVELLO_FFMPEG_PACKAGE}/ffmpeg.exe")
  if(NOT EXISTS "${TARVELLO_FFMPEG_SOURCE}")
    message(WARNING "${TARVELLO_FFMPEG_SOURCE} is missing: run scripts/setup (npm ci) before building")
  endif()
  add_custom_command(
    OUTPUT "${TARVELLO_PROGRAM_DIR}/ffmpeg.exe"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TARVELLO_FFMPEG_SOURCE}" "${TARVELLO_PROGRAM_DIR}/ffmpeg.exe"
    DEPENDS "${TARVELLO_FFMPEG_SOURCE}"
    COMMENT "Copying ffmpeg.exe (${TARVELLO_FFMPEG_PACKAGE}) into the program folder")
  add_custom_target(ffmpeg_exe ALL DEPENDS "${TARVELLO_PROGRAM_DIR}/ffmpeg.exe")
  add_dependencies(quenforenc ffmpeg_exe)

  # For scripts/bench: the same translation, printed.
  add_executable(quenforenc_args ${CMAKE_CURRENT_LIST_DIR}/FfmpegArgumentsTool.cpp)
  target_link_libraries(quenforenc_args PRIVATE encoder_core)
endif()

set(ENCODER_NATIVE_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/native/encoder)
tarvello_core_test(NAME encoder_core_tests
  SOURCES
    ${ENCODER_NATIVE_TEST_DIR}/CommandLineTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/EncoderCommandTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/FfmpegArgumentsTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/FfmpegBannerReaderTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/ConstantQualityTranslationTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/FfmpegProgressReaderTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/OutputVerdictTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/SoundFormatsTranslationTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/TwoPassArgumentsTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/PictureFiltersTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/StreamListTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/StreamsKeptTest.cpp
    ${ENCODER_NATIVE_TEST_DIR}/TrackMapsTest.cpp
  LIBS encoder_core core)
target_compile_definitions(encoder_core_tests PRIVATE
  ENCODER_FIXTURE_DIR="${ENCODER_NATIVE_TEST_DIR}/fixtures/")

# Platform tests under Wine; win_test_support comes from a later fragment,
# which CMake resolves at generation time.
if(WIN32)
  tarvello_win_test(NAME encoder_win_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/win/encoder/FfmpegProcessTest.cpp
    LIBS encoder_win win_test_support dbghelp)
  add_dependencies(encoder_win_test ffmpeg_exe quenforenc)
endif()
