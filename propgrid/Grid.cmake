# The grid control with its colour schemes, status groups and printing, and the settings
# pane built on it.
target_sources(surveyui_propgrid PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CMFCColourPropertyGridCtrl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMyMFCPropertyGridCtrl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMFCGroupPropertyGridProperty.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMFCPropertyColourGridProperty.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridPrinting.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PopupMenu.cpp
    ${PROJECT_SOURCE_DIR}/settings/SettingsPane.cpp
)
target_link_libraries(surveyui_propgrid PUBLIC surveyui_instruments)
