# The help content: tips.txt for the Tip of the Day and the HTML sources of
# help.chm, compiled by chmcmd into the program folder.
if(WIN32)
  add_custom_command(OUTPUT ${TARVELLO_PROGRAM_DIR}/tips.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/tips.txt ${TARVELLO_PROGRAM_DIR}/tips.txt
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/tips.txt
    VERBATIM)

  # help.chm, compiled from the HTML sources in a scratch copy so that the
  # source tree stays clean.
  find_program(TARVELLO_CHMCMD chmcmd REQUIRED)
  file(GLOB_RECURSE help_chm_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/chm/*)
  set(help_chm_work ${CMAKE_BINARY_DIR}/help-chm)
  add_custom_command(OUTPUT ${TARVELLO_PROGRAM_DIR}/help.chm
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${help_chm_work}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_LIST_DIR}/chm ${help_chm_work}
    COMMAND ${CMAKE_COMMAND} -E chdir ${help_chm_work} ${TARVELLO_CHMCMD} help.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${help_chm_work}/help.chm ${TARVELLO_PROGRAM_DIR}/help.chm
    DEPENDS ${help_chm_sources}
    COMMENT "Compiling help.chm"
    VERBATIM)

  add_custom_target(help_files ALL
    DEPENDS ${TARVELLO_PROGRAM_DIR}/tips.txt ${TARVELLO_PROGRAM_DIR}/help.chm)
endif()
