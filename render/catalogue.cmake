# velno_catalogue: the pictures, sounds and icon of resources/, built into the
# program as byte arrays and found by type and number (render/catalogue.h).
set(VELNO_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources)
set(VELNO_PICTURE_NUMBERS
  130 131 132 133 134 135 136 137 138 139 140 141 142 143 144 145 147
  152 153 154 155 156 157)
set(VELNO_WAVE_NUMBERS 149 150 151 158 159)

set(_catalogue_dir ${CMAKE_CURRENT_BINARY_DIR}/catalogue)
set(_catalogue_sources)
set(_catalogue_table "")

function(_velno_embed input symbol)
  set(output ${_catalogue_dir}/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${VELNO_RESOURCE_DIR}/embed.cmake
    DEPENDS ${input} ${VELNO_RESOURCE_DIR}/embed.cmake
    COMMENT "Embedding ${input}"
    VERBATIM)
  set(_catalogue_sources ${_catalogue_sources} ${output} PARENT_SCOPE)
endfunction()

foreach(n IN LISTS VELNO_PICTURE_NUMBERS)
  _velno_embed(${VELNO_RESOURCE_DIR}/pictures/${n}.bmp velno_picture_${n})
  string(APPEND _catalogue_table "VELNO_RESOURCE(Picture, ${n}, velno_picture_${n})\n")
endforeach()
foreach(n IN LISTS VELNO_WAVE_NUMBERS)
  _velno_embed(${VELNO_RESOURCE_DIR}/sounds/${n}.wav velno_wave_${n})
  string(APPEND _catalogue_table "VELNO_RESOURCE(Wave, ${n}, velno_wave_${n})\n")
endforeach()
_velno_embed(${VELNO_RESOURCE_DIR}/icon.ico velno_icon_107)
string(APPEND _catalogue_table "VELNO_RESOURCE(Icon, 107, velno_icon_107)\n")

file(MAKE_DIRECTORY ${_catalogue_dir})
file(CONFIGURE OUTPUT ${_catalogue_dir}/catalogue_table.inc CONTENT "${_catalogue_table}")

add_library(velno_catalogue STATIC ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp ${_catalogue_sources})
target_include_directories(velno_catalogue
  PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..
  PRIVATE ${_catalogue_dir})
