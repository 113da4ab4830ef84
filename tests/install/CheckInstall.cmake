cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh prefix under ROOT and checks what a desktop and a user meet
# there. Arguments: BUILD_DIR, ROOT, INSTALLED_TEST (tst_installed), DEMO_SERVER, WITH_CHECK.

function(fail)
    string(JOIN "" text ${ARGN})
    message(FATAL_ERROR "${text}")
endfunction()

function(run_checked)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        fail("${ARGN}\nended with ${rc}:\n${out}${err}")
    endif()
    set(RUN_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${ROOT})
set(PREFIX ${ROOT}/prefix)
run_checked(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

set(APP_ID org.dravane.DraCFGEditor)
set(expected
    bin/dracfg-editor
    share/dracfg-editor/DraCFG.mdb
    share/dracfg-editor/DraCFG.html
    share/applications/${APP_ID}.desktop
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/metainfo/${APP_ID}.metainfo.xml
    share/mime/packages/${APP_ID}.xml
    share/man/man1/dracfg-editor.1.gz
    share/doc/dracfg-editor/copyright
    share/doc/dracfg-editor/changelog.gz)
if(WITH_CHECK)
    list(APPEND expected bin/dracfg-check share/man/man1/dracfg-check.1.gz)
endif()
foreach(file ${expected})
    if(NOT EXISTS ${PREFIX}/${file})
        fail("not installed: ${file}")
    endif()
endforeach()
# Nothing of the build tree's demo installation or test data goes along.
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
foreach(file ${installed})
    if(NOT file IN_LIST expected)
        fail("installed but not expected: ${file}")
    endif()
endforeach()

file(READ ${PREFIX}/share/applications/${APP_ID}.desktop desktop)
if(NOT desktop MATCHES "\nExec=dracfg-editor %f\n" OR NOT desktop MATCHES "MimeType=text/x-dravane-cfg;")
    fail("the desktop entry does not hand the editor a .cfg file")
endif()

find_program(DESKTOP_VALIDATE desktop-file-validate)
if(DESKTOP_VALIDATE)
    run_checked(${DESKTOP_VALIDATE} ${PREFIX}/share/applications/${APP_ID}.desktop)
    if(NOT RUN_OUTPUT STREQUAL "")
        fail("desktop-file-validate: ${RUN_OUTPUT}")
    endif()
else()
    message(STATUS "desktop-file-validate not installed: the desktop entry is not validated")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    run_checked(${APPSTREAMCLI} validate --no-net ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml)
else()
    message(STATUS "appstreamcli not installed: the metadata is not validated")
endif()

# The informative options need no display at all.
set(no_display ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    --unset=QT_QPA_PLATFORM)
run_checked(${no_display} ${PREFIX}/bin/dracfg-editor --version)
if(NOT RUN_OUTPUT MATCHES "^DraCFG Editor Version [0-9]+\\.[0-9]+\\.[0-9]+\n$")
    fail("--version printed: ${RUN_OUTPUT}")
endif()
run_checked(${no_display} ${PREFIX}/bin/dracfg-editor --help)
if(NOT RUN_OUTPUT MATCHES "^Usage: dracfg-editor \\[FILE\\]")
    fail("--help printed: ${RUN_OUTPUT}")
endif()

# The programs find their data relative to themselves: a moved prefix still starts and checks.
file(RENAME ${PREFIX} ${ROOT}/moved)
run_checked(${CMAKE_COMMAND} -E env DRACFG_INSTALLED_PREFIX=${ROOT}/moved KELMPATH=${DEMO_SERVER}
            QT_QPA_PLATFORM=offscreen ${INSTALLED_TEST})
if(WITH_CHECK)
    include(${CMAKE_CURRENT_LIST_DIR}/InstalledCheck.cmake)
    check_installed_checker(${ROOT}/moved/bin ${ROOT})
endif()
file(REMOVE_RECURSE ${ROOT})
