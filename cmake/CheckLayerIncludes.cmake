# Fails when a file of layer LAYER includes a project header outside the folders ALLOWED, or
# names a project header other than by its path under src/ ("core/media/FlacReader.h").
#   cmake -DLAYER=core/gather "-DALLOWED=core/gather;core/doc;..." "-DSOURCES=a.cpp;a.h"
#         -P CheckLayerIncludes.cmake
cmake_minimum_required(VERSION 3.25)
set(project_roots core texts gui cli)
set(failures "")
foreach(source ${SOURCES})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
        # moc's output is included by name
        if(header MATCHES "^moc_|\\.moc$")
            continue()
        endif()
        string(REGEX MATCH "^[^/]*" root "${header}")
        if(NOT root IN_LIST project_roots)
            list(APPEND failures "${source}: \"${header}\" is not a path under src/")
            continue()
        endif()
        get_filename_component(folder ${header} DIRECTORY)
        if(NOT folder IN_LIST ALLOWED)
            list(APPEND failures
                "${source}: layer ${LAYER} may not include \"${header}\" (a layer above it or beside it)")
        endif()
    endforeach()
endforeach()
if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "${text}")
endif()
