vesprin_test(layout_test vesprin_present)
vesprin_test(picture_store_test vesprin_present)
vesprin_test(hidden_stem_row_test vesprin_present)
vesprin_test(owner_texts_test vesprin_present)
vesprin_test(sign_names_test vesprin_present)
vesprin_test(picture_set_test vesprin_present)

# Regenerating the pictures must reproduce the committed ones byte for byte;
# only where the generator could be built (it needs Qt 6 Gui and its fonts).
if(TARGET picture-gen)
  add_test(NAME pictures_reproducible
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:picture-gen>
      -DEXPECTED_DIR=${VESPRIN_SOURCE_DATA_DIR}/pictures
      -DPATTERNS=*
      -DOUT_DIR=${CMAKE_CURRENT_BINARY_DIR}/pictures_regenerated
      -P ${CMAKE_CURRENT_SOURCE_DIR}/reproducible.cmake)
  # The desk's icons, the same seal as an SVG path and PNGs.
  add_test(NAME icons_reproducible
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:picture-gen>
      -DGENERATOR_ARGS=--icons
      -DEXPECTED_DIR=${PROJECT_SOURCE_DIR}/packaging/icons
      -DPATTERNS=*
      -DOUT_DIR=${CMAKE_CURRENT_BINARY_DIR}/icons_regenerated
      -P ${CMAKE_CURRENT_SOURCE_DIR}/reproducible.cmake)
endif()
