# SPDX-License-Identifier: GPL-3.0-or-later
# Smoke test of md2pdf, run as
#   cmake -DMD2PDF=<tool> -DINPUT=<smoke.md> -DWORK_DIR=<dir> [-DPDFTOTEXT=<pdftotext>] -P smoke_test.cmake
# A PDF must come out of a small Cyrillic page, its Russian text must read
# back (when pdftotext is given), and the tool must fail with a message on a
# missing input and on an output it cannot write.

foreach(variable IN ITEMS MD2PDF INPUT WORK_DIR)
    if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
        message(FATAL_ERROR "smoke_test.cmake: ${variable} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(output "${WORK_DIR}/smoke.pdf")

# 1. The conversion itself.
execute_process(
    COMMAND "${MD2PDF}" "${INPUT}" "${output}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "md2pdf failed (${result}):\n${out}\n${err}")
endif()
if(NOT EXISTS "${output}")
    message(FATAL_ERROR "md2pdf made no ${output}")
endif()
file(SIZE "${output}" size)
if(size LESS 1000)
    message(FATAL_ERROR "${output} is only ${size} bytes")
endif()
file(READ "${output}" head LIMIT 4 HEX)
if(NOT head STREQUAL "25504446") # "%PDF"
    message(FATAL_ERROR "${output} does not start with %PDF (its first bytes: ${head})")
endif()
message(STATUS "smoke.pdf: ${size} bytes")

# 2. The Russian words come back out of the PDF.
if(PDFTOTEXT)
    execute_process(
        COMMAND "${PDFTOTEXT}" -enc UTF-8 "${output}" -
        RESULT_VARIABLE result
        OUTPUT_VARIABLE text
        ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "pdftotext failed (${result}): ${err}")
    endif()
    foreach(word IN ITEMS "Маятник" "вязкой" "Угловая" "рад/с")
        string(FIND "${text}" "${word}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "'${word}' is not in the text of ${output}:\n${text}")
        endif()
    endforeach()
    message(STATUS "the Cyrillic text reads back")
else()
    message(STATUS "pdftotext not found: the text of the PDF is not checked")
endif()

# 3. A missing input: non-zero exit, a message, no output.
set(missing_output "${WORK_DIR}/missing.pdf")
execute_process(
    COMMAND "${MD2PDF}" "${WORK_DIR}/no-such-file.md" "${missing_output}"
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE err)
if(result EQUAL 0 OR err STREQUAL "")
    message(FATAL_ERROR "a missing input gave exit status ${result} and the message '${err}'")
endif()
if(EXISTS "${missing_output}")
    message(FATAL_ERROR "a missing input still left ${missing_output}")
endif()

# 4. An output that cannot be written (its folder does not exist).
execute_process(
    COMMAND "${MD2PDF}" "${INPUT}" "${WORK_DIR}/no-such-folder/out.pdf"
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE err)
if(result EQUAL 0 OR err STREQUAL "")
    message(FATAL_ERROR "an unwritable output gave exit status ${result} and the message '${err}'")
endif()

# 5. Wrong usage.
execute_process(
    COMMAND "${MD2PDF}" "${INPUT}"
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE err)
if(result EQUAL 0 OR err STREQUAL "")
    message(FATAL_ERROR "a single argument gave exit status ${result} and the message '${err}'")
endif()

message(STATUS "md2pdf smoke test passed")
