# Resources: the resource script that the program (and the dialog tests)
# compile and the manifest script. Also the helpers every Windows test links
# (tests/win/support).
#
#   TARVELLO_RC           dialogs, menus, strings, icons, bitmap
#   TARVELLO_MANIFEST_RC  the shared manifest; one per executable
#   win_test_support      screenshots, window search, message box answerer
set(TARVELLO_RC "${CMAKE_CURRENT_LIST_DIR}/Tarvello.rc")
set(TARVELLO_MANIFEST_RC "${CMAKE_CURRENT_LIST_DIR}/TarvelloManifest.rc")
file(GLOB _art "${CMAKE_CURRENT_LIST_DIR}/art/*.ico" "${CMAKE_CURRENT_LIST_DIR}/art/*.bmp")
set_source_files_properties("${TARVELLO_RC}" PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/resource.h;${_art}")
set_source_files_properties("${TARVELLO_MANIFEST_RC}" PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/tarvello.manifest")

if(WIN32)
  set(_support "${CMAKE_SOURCE_DIR}/tests/win/support")
  add_library(win_test_support STATIC
    "${_support}/Screenshot.cpp"
    "${_support}/WindowSearch.cpp"
    "${_support}/MessageBoxAnswerer.cpp"
    "${_support}/SendOnCreate.cpp"
    "${_support}/TestPaths.cpp")
  target_link_libraries(win_test_support PUBLIC user32 gdi32)
  add_executable(desktop_keeper WIN32 "${_support}/DesktopKeeper.cpp")
  set_target_properties(desktop_keeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  tarvello_win_test(NAME win_test_support_test
    SOURCES "${_support}/WinTestSupportTest.cpp"
    LIBS win_test_support)

  set(_gallery "${CMAKE_SOURCE_DIR}/tests/win/res")
  tarvello_win_test(NAME res_gallery_test
    SOURCES "${_gallery}/GalleryDialogs.cpp" "${_gallery}/TemplateReader.cpp" "${_gallery}/DialogGalleryTest.cpp"
            "${_gallery}/ResourceTablesTest.cpp" "${_gallery}/ManifestTest.cpp"
    RESOURCES "${TARVELLO_RC}" "${TARVELLO_MANIFEST_RC}"
    LIBS framework win_test_support)
  # The manifest test reads the built program folder's executables.
  add_dependencies(res_gallery_test Tarvello quenforenc)
endif()
