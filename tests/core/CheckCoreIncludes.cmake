# cmake -DCORE_DIR=<folder> -DWIDGETS_INCLUDE_DIR=<Qt's QtWidgets include folder> -P this file
#
# Fails when a file under CORE_DIR includes a ui/ or app/ header or a Qt Widgets header. The
# core's link line keeps widget code out, but a header reached through the system include folder
# still compiles, and an include into ui/ or app/ turns the dependency the wrong way round.
cmake_minimum_required(VERSION 3.25)

foreach(var CORE_DIR WIDGETS_INCLUDE_DIR)
    if(NOT IS_DIRECTORY "${${var}}")
        message(FATAL_ERROR "${var} is not a folder: '${${var}}'")
    endif()
endforeach()

file(GLOB widget_headers LIST_DIRECTORIES false RELATIVE "${WIDGETS_INCLUDE_DIR}"
     "${WIDGETS_INCLUDE_DIR}/*")
list(LENGTH widget_headers known)
if(known LESS 100)
    message(FATAL_ERROR "Only ${known} headers in ${WIDGETS_INCLUDE_DIR}: not the QtWidgets folder?")
endif()
# Moved to Qt Gui in Qt 6, yet still the stuff of menus, toolbars and windows.
list(APPEND widget_headers QAction QActionGroup QShortcut)

file(GLOB_RECURSE sources LIST_DIRECTORIES false "${CORE_DIR}/*")
set(forbidden 0)
foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
        string(REGEX MATCH "include[ \t]*[<\"]([^>\"]+)" match "${line}")
        set(header "${CMAKE_MATCH_1}")
        get_filename_component(name "${header}" NAME)
        if(header MATCHES "(^|/)(ui|app)/" OR header MATCHES "^QtWidgets(/|$)"
           OR name IN_LIST widget_headers)
            file(RELATIVE_PATH shown "${CORE_DIR}" "${source}")
            message("${shown}: ${line}")
            math(EXPR forbidden "${forbidden} + 1")
        endif()
    endforeach()
endforeach()

list(LENGTH sources checked)
if(forbidden GREATER 0)
    message(FATAL_ERROR "${forbidden} forbidden includes in ${CORE_DIR}")
endif()
message("${checked} files in ${CORE_DIR} include no ui/, app/ or Qt Widgets header")
