# 32-bit Windows: the release build, compiled only (this kernel runs no 32-bit code).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARVELLO_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
set(TARVELLO_RUN_WINDOWS_TESTS OFF)
