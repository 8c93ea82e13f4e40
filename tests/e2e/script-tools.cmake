# Programs that scripts drive the real program with: the walk through every
# window for scripts/screenshots, and the helper of scripts/bench.
if(WIN32)
  add_executable(screenshot_tour "${CMAKE_CURRENT_LIST_DIR}/ScreenshotTour.cpp" ${TARVELLO_MANIFEST_RC})
  target_link_libraries(screenshot_tour PRIVATE e2e_main_driver)
  set_target_properties(screenshot_tour PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/demo")
endif()

# The helper that scripts/bench drives the program with (CPU and import figures).
if(WIN32)
  add_executable(bench_helper "${CMAKE_CURRENT_LIST_DIR}/BenchHelper.cpp" ${TARVELLO_MANIFEST_RC})
  target_link_libraries(bench_helper PRIVATE e2e_main_driver e2e_encoder_harness run)
  set_target_properties(bench_helper PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/demo")
  add_executable(bench_nothing "${CMAKE_CURRENT_LIST_DIR}/DoNothing.cpp")
  set_target_properties(bench_nothing PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/demo")
endif()
