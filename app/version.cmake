# version.ini is the one place that holds the product version: the About box
# shows it and scripts/package names the release after it.
if(WIN32)
  add_custom_command(OUTPUT "${TARVELLO_PROGRAM_DIR}/version.ini"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_CURRENT_LIST_DIR}/version.ini" "${TARVELLO_PROGRAM_DIR}/version.ini"
    DEPENDS "${CMAKE_CURRENT_LIST_DIR}/version.ini")
  add_custom_target(version_file ALL DEPENDS "${TARVELLO_PROGRAM_DIR}/version.ini")
endif()
