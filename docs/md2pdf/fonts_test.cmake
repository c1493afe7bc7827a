# SPDX-License-Identifier: GPL-3.0-or-later
# The documents carry their fonts: run as
#   cmake -DPDFFONTS=<pdffonts> -DDOCUMENTS=<a.pdf;b.pdf...> -P fonts_test.cmake
# Every font of every document must be embedded and be one of the families
# the build installs (Liberation, DejaVu): a reader's machine without them,
# or with other fonts, then shows the same glyphs.

cmake_minimum_required(VERSION 3.25)

foreach(document IN LISTS DOCUMENTS)
    execute_process(
        COMMAND "${PDFFONTS}" "${document}"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE listing
        ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "pdffonts ${document} failed (${result}): ${err}")
    endif()
    # Two heading lines, then one line a font: name, type, encoding and
    # the columns emb, sub, uni ("yes"/"no"), object number and generation.
    string(REPLACE "\n" ";" lines "${listing}")
    list(SUBLIST lines 2 -1 fonts)
    list(FILTER fonts EXCLUDE REGEX "^$")
    if(NOT fonts)
        message(FATAL_ERROR "${document} has no fonts")
    endif()
    foreach(font IN LISTS fonts)
        if(NOT font MATCHES "^([A-Z][A-Z][A-Z][A-Z][A-Z][A-Z]\\+)?(Liberation(Serif|Mono)|DejaVu(Serif|Sans|SansMono))(-[A-Za-z]+)? ")
            message(FATAL_ERROR "${document} uses a font the build does not install:\n${font}")
        endif()
        if(NOT font MATCHES " yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$")
            message(FATAL_ERROR "${document} does not embed a font:\n${font}")
        endif()
    endforeach()
    list(LENGTH fonts count)
    get_filename_component(name "${document}" NAME)
    message(STATUS "${name}: ${count} fonts, all embedded")
endforeach()
