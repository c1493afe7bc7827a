# SPDX-License-Identifier: GPL-3.0-or-later
# Smoke test of md2pdf, run as
#   cmake -DMD2PDF=<tool> -DINPUT=<smoke.md> -DWORK_DIR=<dir> [-DPDFTOTEXT=<pdftotext>] -P smoke_test.cmake
# A PDF must come out of a small Cyrillic page, its Russian text must read
# back (when pdftotext is given), and the tool must fail with a message on a
# missing input, on an output it cannot write and on a character that the
# documents' fonts have no glyph for.

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

# 6. A character that neither Liberation nor DejaVu has: refused by name,
# whether the machine has no font for it (an empty box) or some other one.
set(no_glyph "${WORK_DIR}/no-glyph.md")
file(WRITE "${no_glyph}" "# Проверка\n\nИероглиф 漢 в тексте.\n")
execute_process(
    COMMAND "${MD2PDF}" "${no_glyph}" "${WORK_DIR}/no-glyph.pdf"
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE err)
string(FIND "${err}" "U+6F22" named)
if(result EQUAL 0 OR named EQUAL -1 OR EXISTS "${WORK_DIR}/no-glyph.pdf")
    message(FATAL_ERROR "a character without a glyph gave exit status ${result} and the message '${err}'")
endif()

# 7. The same bytes twice over for one SOURCE_DATE_EPOCH.
foreach(run IN ITEMS 1 2)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1000000000 "${MD2PDF}" "${INPUT}" "${WORK_DIR}/again${run}.pdf"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "md2pdf with SOURCE_DATE_EPOCH failed (${result})")
    endif()
endforeach()
execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/again1.pdf" "${WORK_DIR}/again2.pdf"
    RESULT_VARIABLE differ)
file(STRINGS "${WORK_DIR}/again1.pdf" dated REGEX "^/CreationDate \\(D:20010909014640")
if(NOT differ EQUAL 0 OR NOT dated)
    message(FATAL_ERROR "two runs with SOURCE_DATE_EPOCH=1000000000 differ or are not dated 2001-09-09 01:46:40 UTC")
endif()

message(STATUS "md2pdf smoke test passed")
