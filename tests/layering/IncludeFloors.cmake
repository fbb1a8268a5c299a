# Fails when a source file includes a header of a floor above its own. The floors, from the
# ground: model, texts, document and link, the simulator, the field engine, the form families,
# the forms' catalogues, service and print, the application, the command-line tool.
#   cmake -DSOURCE_DIR=<src folder> -P IncludeFloors.cmake

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

# The floor of a path below src/ (a source file or an include): its folder, with forms split
# into the field engine, the families and the top-level catalogue headers.
function(floor_of path result)
    set(floor "")
    if(path MATCHES "^forms/fields/")
        set(floor 40)
    elseif(path MATCHES "^forms/(common|channel|feature|signalling)/")
        set(floor 50)
    elseif(path MATCHES "^forms/[^/]+$")
        set(floor 60)
    elseif(path MATCHES "^([^/]+)/")
        set(folder ${CMAKE_MATCH_1})
        set(floors model 0 texts 10 document 20 link 20 sim 30 service 70 print 70 app 80 cli 90)
        list(FIND floors ${folder} at)
        if(at GREATER_EQUAL 0)
            math(EXPR at "${at} + 1")
            list(GET floors ${at} floor)
        endif()
    endif()
    set(${result} "${floor}" PARENT_SCOPE)
endfunction()

# Includes that run up a floor on purpose: the families open their declared forms by key
# through the catalogue of declared forms.
set(allowed "forms/common/FormSupport.cpp -> forms/FieldForms.h")

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(problems "")
foreach(source ${sources})
    floor_of(${source} own)
    if(own STREQUAL "")
        string(APPEND problems "\n  ${source}: its folder has no floor here")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
    foreach(line ${lines})
        string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" header "${line}")
        string(REGEX MATCH "^[^/]+" top "${header}")
        if(NOT IS_DIRECTORY ${SOURCE_DIR}/${top})
            continue() # a library's header, not one of ours
        endif()
        floor_of(${header} target)
        if(target STREQUAL "")
            string(APPEND problems "\n  ${source}: ${header} has no floor here")
        elseif(target GREATER own)
            list(FIND allowed "${source} -> ${header}" known)
            if(known LESS 0)
                string(APPEND problems "\n  ${source} includes ${header} from a floor above it")
            endif()
        endif()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes run up a floor:${problems}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include on its own floor or below")
