# Pure readers of media file headers (AVI, ISO base media), for the encoder's
# probe and for whoever else needs a source's facts without FFmpeg.
add_library(media STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AviHeaderReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IsoMediaReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VideoInfo.cpp)

tarvello_core_test(NAME media_test
  SOURCES
    ${CMAKE_SOURCE_DIR}/tests/native/media/AviHeaderReaderTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/media/IsoMediaReaderTest.cpp
  LIBS media)
target_compile_definitions(media_test PRIVATE
  ENCODER_FIXTURE_DIR="${CMAKE_SOURCE_DIR}/tests/native/encoder/fixtures/")
