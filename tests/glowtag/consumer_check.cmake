# Installs the label library from the build tree into a fresh prefix, builds the consumer
# project against that prefix only, and runs it once.
foreach(var BUILD_DIR WORK_DIR CONSUMER_SOURCE GENERATOR QT_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "consumer check: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --component Glowtag --prefix "${prefix}")
if(NOT EXISTS "${prefix}/include/Glowtag/glowtag_export.h")
    message(FATAL_ERROR "the export header was not installed")
endif()

set(configure ${CMAKE_COMMAND} -S "${CONSUMER_SOURCE}" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${prefix}" "-DQt6_DIR=${QT_DIR}" -DCMAKE_BUILD_TYPE=Release)
if(CXX_COMPILER)
    list(APPEND configure "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}")
endif()
if(EXTRA_FLAGS)
    list(APPEND configure "-DCMAKE_CXX_FLAGS=${EXTRA_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${EXTRA_FLAGS}")
endif()
run(${configure})
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
run("${WORK_DIR}/build/glowtag_consumer" --quit)
message(STATUS "${last_output}")
if(NOT last_output MATCHES "label 240x60")
    message(FATAL_ERROR "the consumer did not show its label: ${last_output}")
endif()
