# The skinning layer: the platform's own look and popup tracking.
if(WIN32)
  add_library(app_skin STATIC "${CMAKE_CURRENT_LIST_DIR}/Skin.cpp")
  target_link_libraries(app_skin PUBLIC user32)
endif()
