# What the program and its encoder agree on: the report message and its codes,
# the modes, the exit codes, the encoder's file name and the temporary name
# of an unfinished output. Both sides depend on it and never on each other.
add_library(protocol STATIC ${CMAKE_CURRENT_LIST_DIR}/TemporaryName.cpp)

tarvello_core_test(NAME protocol_test
  SOURCES ${CMAKE_SOURCE_DIR}/tests/native/protocol/TemporaryNameTest.cpp
  LIBS protocol)
