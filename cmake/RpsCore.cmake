# rps_core_library(NAME lib SOURCES ... [DEPS ...]): a Qt-free static library of the core.
function(rps_core_library)
    cmake_parse_arguments(L "" "NAME" "SOURCES;DEPS" ${ARGN})
    if(NOT L_SOURCES)
        # A subsystem whose core has no code yet still takes part in rps_core.
        add_library(${L_NAME} INTERFACE)
        target_include_directories(${L_NAME} INTERFACE ${CMAKE_SOURCE_DIR}/src)
        target_link_libraries(${L_NAME} INTERFACE ${L_DEPS})
        return()
    endif()
    add_library(${L_NAME} STATIC ${L_SOURCES})
    target_include_directories(${L_NAME} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${L_NAME} PUBLIC ${L_DEPS})
    set_target_properties(${L_NAME} PROPERTIES AUTOMOC OFF)
endfunction()

# rps_ui_sources(files...): adds Qt sources of this folder to the rps_ui library.
function(rps_ui_sources)
    foreach(f ${ARGN})
        set_property(GLOBAL APPEND PROPERTY RPS_UI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
    endforeach()
endfunction()

# rps_forms_core_sources(files...): adds Qt-free sources of a forms folder to rps_formscore.
function(rps_forms_core_sources)
    foreach(f ${ARGN})
        set_property(GLOBAL APPEND PROPERTY RPS_FORMS_CORE_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
    endforeach()
endfunction()
