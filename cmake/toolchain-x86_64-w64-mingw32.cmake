# 64-bit Windows: the build whose tests run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARVELLO_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
set(TARVELLO_RUN_WINDOWS_TESTS ON)
