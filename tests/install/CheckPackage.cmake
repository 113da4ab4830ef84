cmake_minimum_required(VERSION 3.25)
# Builds the Debian package from the build folder into ROOT and checks its file list, its
# computed dependencies and, where lintian is installed, that lintian finds nothing to warn of;
# then starts the editor's start-up and runs the checker from the unpacked tree. Arguments:
# BUILD_DIR, ROOT, WITH_CHECK, INSTALLED_TEST (tst_installed), DEMO_SERVER.

file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${ROOT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB debs ${ROOT}/*.deb)
if(NOT rc EQUAL 0 OR NOT debs)
    message(FATAL_ERROR "cpack -G DEB failed (${rc}):\n${out}${err}")
endif()
list(GET debs 0 deb)

execute_process(COMMAND dpkg-deb -c ${deb} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
set(APP_ID org.dravane.DraCFGEditor)
set(expected
    ./usr/bin/dracfg-editor
    ./usr/share/dracfg-editor/DraCFG.mdb
    ./usr/share/dracfg-editor/DraCFG.html
    ./usr/share/applications/${APP_ID}.desktop
    ./usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    ./usr/share/metainfo/${APP_ID}.metainfo.xml
    ./usr/share/mime/packages/${APP_ID}.xml
    ./usr/share/man/man1/dracfg-editor.1.gz
    ./usr/share/doc/dracfg-editor/copyright
    ./usr/share/doc/dracfg-editor/changelog.gz)
if(WITH_CHECK)
    list(APPEND expected ./usr/bin/dracfg-check ./usr/share/man/man1/dracfg-check.1.gz)
endif()
foreach(file ${expected})
    string(REPLACE "." "\\." pattern "${file}")
    if(NOT listing MATCHES " ${pattern}\n")
        message(FATAL_ERROR "${deb} lacks ${file}:\n${listing}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE depends)
# Computed from the binaries: the Qt libraries they link, besides the named plug-ins.
foreach(package libqt6widgets6 libqt6sql6 libqt6sql6-sqlite qt6-qpa-plugins)
    if(NOT depends MATCHES "(^|, )${package}( |,|\n|$)")
        message(FATAL_ERROR "Depends lacks ${package}: ${depends}")
    endif()
endforeach()

find_program(LINTIAN lintian)
if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${deb}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "lintian ${deb} ended with ${rc}:\n${out}${err}")
    endif()
else()
    message(STATUS "lintian not installed: the package is not checked against Debian policy")
endif()

execute_process(COMMAND dpkg-deb -x ${deb} ${ROOT}/unpacked RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DRACFG_INSTALLED_PREFIX=${ROOT}/unpacked/usr
                        KELMPATH=${DEMO_SERVER} QT_QPA_PLATFORM=offscreen ${INSTALLED_TEST}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the unpacked package does not start:\n${out}${err}")
endif()
if(WITH_CHECK)
    include(${CMAKE_CURRENT_LIST_DIR}/InstalledCheck.cmake)
    check_installed_checker(${ROOT}/unpacked/usr/bin ${ROOT})
endif()
file(REMOVE_RECURSE ${ROOT})
