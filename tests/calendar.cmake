# The shipped calendar files under data/ and the generator that writes them.
vesprin_test(calendar_data_test)

# Regenerating the files must reproduce the committed ones byte for byte. Only where the generator
# could be built (it needs Debian's libswe-dev); the whole set takes about a second.
if(TARGET calendar-gen)
  add_test(NAME calendar_data_reproducible
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:calendar-gen>
      -DEXPECTED_DIR=${VESPRIN_SOURCE_DATA_DIR}
      "-DPATTERNS=*.DAT;HOROSCOPE.INI"
      -DOUT_DIR=${CMAKE_CURRENT_BINARY_DIR}/calendar_regenerated
      -P ${CMAKE_CURRENT_SOURCE_DIR}/reproducible.cmake)
endif()
