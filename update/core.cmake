# The store logic: command line, frame layout, catalog, receiver text, error log and the storing
# protocol. No widgets: the update window drives it.
add_library(rv44updatecore STATIC
    commandline.h commandline.cpp
    frmlayout.h frmlayout.cpp
    catalog.h catalog.cpp
    monitortext.h monitortext.cpp
    textrules.h
    clock.h clock.cpp
    errorlog.h errorlog.cpp
    flashstore.h flashstore.cpp
)
target_include_directories(rv44updatecore PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(rv44updatecore PUBLIC rv44link rv44platform Qt6::Core)
