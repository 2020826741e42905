# The frame renderer and the software canvas (velno_render).
add_library(velno_render STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
)
target_include_directories(velno_render PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(velno_render PUBLIC
  velno_core
  PkgConfig::SDL2
  PkgConfig::SDL2_TTF
  PkgConfig::SDL2_IMAGE
  PkgConfig::FONTCONFIG
)
# The pictures come from the catalogue; until it exists, hosts link their own.
if(TARGET velno_catalogue)
  target_link_libraries(velno_render PUBLIC velno_catalogue)
endif()
