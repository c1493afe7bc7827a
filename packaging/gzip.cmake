# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P gzip.cmake: gzip -9n, the
# compressed bytes depending on the content alone.
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(
    COMMAND gzip -9nc "${INPUT}"
    OUTPUT_FILE "${OUTPUT}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "gzip -9n ${INPUT} failed (${result})")
endif()
