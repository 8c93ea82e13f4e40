# Help and information: the tips reader and link texts (pure), the Tip of the
# Day, the About box with its labels, the Help menu commands and the HTML Help
# launcher (Windows); tips.txt and help.chm for the program folder.

add_library(help_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TipsFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramFilePath.cpp)

tarvello_core_test(NAME help_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/native/help/TipsFileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/../tests/native/help/LinkTextTest.cpp
  LIBS help_core)

if(WIN32)
  add_library(help_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HtmlHelpLauncher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinkLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OpenLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegistryValue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TipDlg.cpp)
  target_link_libraries(help_win PUBLIC help_core framework shell32 comctl32 gdi32 user32 advapi32)

  # tips.txt beside the program.
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

  set(help_win_tests ${CMAKE_CURRENT_LIST_DIR}/../tests/win/help)
  tarvello_win_test(NAME help_win_test
    SOURCES ${help_win_tests}/HelpTestSupport.cpp
            ${help_win_tests}/HtmAssociation.cpp
            ${help_win_tests}/TipDlgTest.cpp
            ${help_win_tests}/OpenLinkTest.cpp
            ${help_win_tests}/AboutDlgTest.cpp
            ${help_win_tests}/HtmlHelpTest.cpp
    RESOURCES ${TARVELLO_RC} ${TARVELLO_MANIFEST_RC}
    LIBS help_win win_test_support advapi32)
  add_dependencies(help_win_test help_files)
endif()
