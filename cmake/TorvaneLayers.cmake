# The program is built in layers, one folder and one static library each. A layer links only the
# layers below it, and a check run before each layer compiles fails the build when one of its
# files includes a header of a layer it does not link (cmake/CheckLayerIncludes.cmake).

set(TORVANE_LAYER_CHECK ${CMAKE_CURRENT_LIST_DIR}/CheckLayerIncludes.cmake)

# torvane_layer(TARGET FOLDER [QT] [LINKS lower layer targets...] [USES other libraries...])
#   FOLDER is the layer's folder under src/ (for example core/media); its .cpp and .h files form
#   the library. QT turns on moc for the layer.
function(torvane_layer target folder)
    cmake_parse_arguments(LAYER "QT" "" "LINKS;USES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC torvane_options ${LAYER_LINKS} ${LAYER_USES})
    if(LAYER_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()

    # The folders this layer may include from: its own and those of every layer below it.
    set(allowed ${folder})
    foreach(lower ${LAYER_LINKS})
        get_target_property(lower_allowed ${lower} TORVANE_LAYER_FOLDERS)
        list(APPEND allowed ${lower_allowed})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_target_properties(${target} PROPERTIES TORVANE_LAYER_FOLDERS "${allowed}")
    torvane_layer_check(${target} "${folder}" "${allowed}" "${sources}")
endfunction()

# torvane_layer_check(TARGET FOLDER ALLOWED SOURCES): checks the includes of SOURCES before
# TARGET compiles, again whenever one of them changes.
function(torvane_layer_check target folder allowed sources)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DLAYER=${folder}" "-DALLOWED=${allowed}"
                "-DSOURCES=${sources}" -P ${TORVANE_LAYER_CHECK}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${sources} ${TORVANE_LAYER_CHECK}
        COMMENT "Checking the includes of layer ${folder}"
        VERBATIM)
    add_custom_target(${target}_layer_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer_check)
endfunction()
