# The skinning layer: the platform's own look and popup tracking.
if(WIN32)
  add_library(app_skin STATIC "${CMAKE_CURRENT_LIST_DIR}/Skin.cpp")
  target_link_libraries(app_skin PUBLIC user32)

  set(_fw_tests "${CMAKE_SOURCE_DIR}/tests/win/framework")
  tarvello_win_test(NAME app_skin_test
    SOURCES "${_fw_tests}/SkinTest.cpp"
    RESOURCES "${_fw_tests}/FrameworkTest.rc"
    LIBS app_skin framework)
endif()
