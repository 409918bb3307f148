# The shared-mime-info package file is well-formed XML and the freedesktop database tool
# takes it without a complaint: *.rvset and *.rvtnk get their types, each with an English
# and a Russian comment.
# -DMIME_FILE=<packaging/params32-mime.xml> -DSTAGE=<empty folder>
# -DXMLLINT=<path or empty> -DUPDATE_MIME_DATABASE=<path>
if(NOT UPDATE_MIME_DATABASE)
    message(FATAL_ERROR "update-mime-database not found: install shared-mime-info (scripts/setup)")
endif()
if(XMLLINT)
    execute_process(COMMAND ${XMLLINT} --noout ${MIME_FILE} RESULT_VARIABLE status
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "xmllint: ${errors}")
    endif()
endif()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/mime/packages)
configure_file(${MIME_FILE} ${STAGE}/mime/packages/params32.xml COPYONLY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${STAGE} XDG_DATA_HOME=${STAGE}
                        ${UPDATE_MIME_DATABASE} ${STAGE}/mime
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
# The tool reports a broken type on stderr and still succeeds.
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "update-mime-database (${status}): ${errors}")
endif()

file(STRINGS ${STAGE}/mime/globs2 globs REGEX "^[0-9]+:")
foreach(pair "application/x-params32-settings:*.rvset" "application/x-params32-tank:*.rvtnk")
    set(found FALSE)
    foreach(line IN LISTS globs)
        string(REGEX REPLACE "^[0-9]+:" "" line "${line}") # the weight
        if(line STREQUAL pair)
            set(found TRUE)
        endif()
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "no glob ${pair} in the database: ${globs}")
    endif()
endforeach()

foreach(type x-params32-settings x-params32-tank)
    set(typefile ${STAGE}/mime/application/${type}.xml)
    if(NOT EXISTS ${typefile})
        message(FATAL_ERROR "the database has no type application/${type}")
    endif()
    file(READ ${typefile} text)
    if(NOT text MATCHES "<comment>[A-Za-z]" OR NOT text MATCHES "<comment xml:lang=\"ru\">")
        message(FATAL_ERROR "application/${type} lacks an English or a Russian comment: ${text}")
    endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
