# The list as a queue through the real Tarvello.exe: a run that survives the
# program's death, a damaged list file, the rows not done, "When done".
if(WIN32)
  tarvello_win_test(NAME queue_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/ListQueueTest.cpp"
    LIBS e2e_main_driver
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips damaged_clips)
  add_dependencies(queue_e2e_test Tarvello quenforenc help_files)
endif()
