# The client list of the desk: its own library, so that the desk's program
# links it and its test drives it alone (Qt Widgets over the client book).
find_package(Qt6 QUIET COMPONENTS Widgets)
if(TARGET vesprin_book AND Qt6Widgets_FOUND)
  add_library(vesprin_desk_book STATIC ${CMAKE_CURRENT_LIST_DIR}/client_panel.cpp)
  vesprin_layer(vesprin_desk_book desk QT Core Gui Widgets Sql)
  set_target_properties(vesprin_desk_book PROPERTIES AUTOMOC ON)
  target_link_libraries(vesprin_desk_book PUBLIC vesprin_book Qt6::Widgets)
  target_compile_definitions(vesprin_desk_book PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endif()
# The desk's program shows the list when the book can be built.
if(TARGET vesprin_desk_book AND TARGET vesprin-desk)
  target_link_libraries(vesprin-desk PRIVATE vesprin_desk_book)
  target_compile_definitions(vesprin-desk PRIVATE VESPRIN_DESK_BOOK)
endif()
