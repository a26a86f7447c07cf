# The update window: widgets, the receiver monitor and the store commands, on top of the store
# logic.
add_library(rv44update STATIC
    saveflashui.h saveflashui.cpp
    saveflash.h saveflash.cpp
    progressmonitor.h progressmonitor.cpp
    storecommands.h storecommands.cpp
)
target_include_directories(rv44update PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(rv44update PUBLIC
    rv44updatecore rv44link rv44platform rv44xp rv44scheme Glowtag::Glowtag rv44state
    Qt6::Widgets)
