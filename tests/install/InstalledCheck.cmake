# Runs an installed dracfg-check on a file with problems, with no catalogue named: it must find
# the one installed with it, report the problems and end with status 1. BIN: the installed
# programs' folder; WORK: a folder for the file.
function(check_installed_checker BIN WORK)
    file(WRITE ${WORK}/problems.cfg "LISTENPORT 0\nLISTENPROT 7420\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            ${BIN}/dracfg-check problems.cfg
                    WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(expected "problems.cfg:1: error: LISTENPORT must be between 1 and 65535; 0 is outside. \\[out-of-range\\]\nproblems.cfg:2: warning: Unknown setting LISTENPROT\\. Did you mean LISTENPORT\\? \\[unknown-setting\\]\n")
    if(NOT rc EQUAL 1 OR NOT out MATCHES "^${expected}$")
        message(FATAL_ERROR "the installed dracfg-check ended with ${rc}:\n${out}${err}")
    endif()
endfunction()
