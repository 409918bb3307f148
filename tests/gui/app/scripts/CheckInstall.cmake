# Installs the build into a staging folder and checks that the program, mktool, the desktop
# entry, the icon, the file types and the udev rule land in their standard places.
# -DBINARY_DIR=<build> -DSTAGE=<empty folder>
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${STAGE}/usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(path bin/Params32 bin/mktool share/applications/params32.desktop
             share/icons/hicolor/scalable/apps/params32.svg lib/udev/rules.d/60-params32.rules
             share/mime/packages/params32.xml)
    if(NOT EXISTS ${STAGE}/usr/${path})
        message(FATAL_ERROR "not installed: ${path}")
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
