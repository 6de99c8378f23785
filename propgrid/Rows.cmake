# The value rows of the property grid.
target_sources(surveyui_propgrid PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CMyMFCMaskedEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RowSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumericProperties.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DistanceProperties.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EngineeringProperties.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AngleProperties.cpp
)
