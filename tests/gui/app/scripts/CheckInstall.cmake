# Installs the build into a staging folder and checks that the program, mktool, their man
# pages, the completion, the desktop entry, the AppStream metadata, the icon, the file types
# and the udev rule land in their standard places, and that the desktop's validators take
# the desktop entry and the metadata.
# -DBINARY_DIR=<build> -DSTAGE=<empty folder> -DAPPSTREAMCLI=<tool> -DDESKTOP_FILE_VALIDATE=<tool>
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${STAGE}/usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(path bin/Params32 bin/mktool share/applications/params32.desktop
             share/icons/hicolor/scalable/apps/params32.svg lib/udev/rules.d/60-params32.rules
             share/mime/packages/params32.xml share/metainfo/org.params32.Params32.metainfo.xml
             share/man/man1/mktool.1.gz share/man/man1/Params32.1.gz
             share/bash-completion/completions/mktool)
    if(NOT EXISTS ${STAGE}/usr/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

foreach(check "${APPSTREAMCLI};validate;--no-net;${STAGE}/usr/share/metainfo/org.params32.Params32.metainfo.xml"
              "${DESKTOP_FILE_VALIDATE};${STAGE}/usr/share/applications/params32.desktop")
    list(GET check 0 tool)
    if(NOT tool)
        message(FATAL_ERROR "validator missing (scripts/setup installs appstream and desktop-file-utils)")
    endif()
    execute_process(COMMAND ${check} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0 OR out MATCHES "(^|\n)(E|W):|error:|warning:")
        message(FATAL_ERROR "${tool} refuses an installed file:\n${out}")
    endif()
endforeach()

file(READ ${STAGE}/usr/share/applications/params32.desktop desktop)
# %f: a file opened from the file manager reaches the program.
foreach(line "Exec=Params32 %f" "Icon=params32" "Type=Application"
             "MimeType=application/x-params32-settings;")
    string(FIND "${desktop}" "${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "desktop entry lacks ${line}")
    endif()
endforeach()

file(READ ${STAGE}/usr/share/mime/packages/params32.xml mime)
foreach(part "type=\"application/x-params32-settings\"" "pattern=\"*.rvset\""
             "type=\"application/x-params32-tank\"" "pattern=\"*.rvtnk\"")
    string(FIND "${mime}" "${part}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the installed file types lack ${part}")
    endif()
endforeach()

file(STRINGS ${STAGE}/usr/lib/udev/rules.d/60-params32.rules rules REGEX "^[^#]")
list(LENGTH rules count)
if(count EQUAL 0)
    message(FATAL_ERROR "the udev rule file has no rules")
endif()
foreach(rule IN LISTS rules)
    foreach(part "idVendor}==\"04d8\"" "idProduct}==\"000a\"" "ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
        string(FIND "${rule}" "${part}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "udev rule lacks ${part}: ${rule}")
        endif()
    endforeach()
endforeach()
string(FIND "${rules}" "SUBSYSTEM==\"tty\"" tty)
string(FIND "${rules}" "TAG+=\"uaccess\"" uaccess)
if(tty EQUAL -1 OR uaccess EQUAL -1)
    message(FATAL_ERROR "the port is not given to the logged-in user")
endif()
file(REMOVE_RECURSE ${STAGE})
