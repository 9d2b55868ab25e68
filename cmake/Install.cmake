# `cmake --install` lays out one portable folder: the program writes its image set below its own
# folder, so everything lies side by side in a folder the user may write to.
install(FILES ${CMAKE_BINARY_DIR}/sample.raw DESTINATION .)

# A read-me for the system the folder is for, in its own line ends.
if(WIN32)
    configure_file(app/ReadMe-Windows.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
else()
    configure_file(app/ReadMe-Linux.txt.in README.txt @ONLY NEWLINE_STYLE LF)
endif()
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(ZV_DESKTOP_TEMPLATE ${CMAKE_SOURCE_DIR}/app/zeveduz.desktop)

if(ZV_WINDOW AND TARGET zeveduz)
    install(TARGETS zeveduz RUNTIME DESTINATION .)
endif()

# Windows takes the icon from zeveduz.exe and needs no entry to start it.
if(ZV_WINDOW AND TARGET zeveduz AND NOT WIN32)
    foreach(size 16 24 32 48 64 128 256)
        set(icon ${CMAKE_SOURCE_DIR}/app/icons/zeveduz-${size}.png)
        if(EXISTS ${icon})
            install(FILES ${icon} DESTINATION icons/${size}x${size} RENAME zeveduz.png)
        else()
            message(WARNING "Icon ${icon} is missing; the installed folder will lack it")
        endif()
    endforeach()

    # A desktop entry needs absolute paths, so a plain install writes the prefix in.
    install(CODE "set(ZV_DESKTOP_TEMPLATE \"${ZV_DESKTOP_TEMPLATE}\")")
    install(CODE [[
        set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/zeveduz.desktop")
        # In Exec a % starts a field code.
        string(REPLACE "%" "%%" ZV_DESKTOP_EXEC "${CMAKE_INSTALL_PREFIX}/zeveduz")
        set(ZV_DESKTOP_ICON "${CMAKE_INSTALL_PREFIX}/icons/256x256/zeveduz.png")
        message(STATUS "Installing: ${entry}")
        configure_file(${ZV_DESKTOP_TEMPLATE} ${entry} @ONLY)
        file(CHMOD ${entry} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
             GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    ]])

    # A folder that was moved, or unpacked from the package, writes its entry anew from here.
    set(ZV_DESKTOP_EXEC [[$program]])
    set(ZV_DESKTOP_ICON [[$folder/icons/256x256/zeveduz.png]])
    file(READ ${ZV_DESKTOP_TEMPLATE} ZV_DESKTOP_TEXT)
    string(CONFIGURE "${ZV_DESKTOP_TEXT}" ZV_DESKTOP_TEXT @ONLY)
    set(ZV_REGISTER_SCRIPT ${CMAKE_BINARY_DIR}/register-desktop-entry)
    file(CONFIGURE OUTPUT ${ZV_REGISTER_SCRIPT} @ONLY CONTENT [[#!/bin/sh
# Writes zeveduz.desktop with this folder's absolute paths and registers it for the user.
set -eu
folder=$(cd "$(dirname "$0")" && pwd)
case $folder in
    *[\\\"\`\$]*) echo "The folder's name may not hold \\ \" \` or \$: $folder" >&2; exit 1 ;;
esac
# In Exec a % starts a field code.
program=$(printf '%s/zeveduz' "$folder" | sed 's/%/%%/g')
cat > "$folder/zeveduz.desktop" <<ENTRY
@ZV_DESKTOP_TEXT@ENTRY
chmod 755 "$folder/zeveduz.desktop"
applications=${XDG_DATA_HOME:-$HOME/.local/share}/applications
mkdir -p "$applications"
ln -sf "$folder/zeveduz.desktop" "$applications/zeveduz.desktop"
echo "Registered $folder/zeveduz.desktop"
]])
    install(PROGRAMS ${ZV_REGISTER_SCRIPT} DESTINATION .)

    # A package may be unpacked anywhere, and an entry cannot name a relative path: the package
    # leaves the entry out, and register-desktop-entry writes it where the folder lands.
    set(ZV_PACKAGE_ENTRY_SCRIPT ${CMAKE_BINARY_DIR}/PackageDesktopEntry.cmake)
    file(WRITE ${ZV_PACKAGE_ENTRY_SCRIPT}
         [[file(REMOVE ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/zeveduz.desktop)]])
    set(CPACK_PRE_BUILD_SCRIPTS ${ZV_PACKAGE_ENTRY_SCRIPT})
endif()

set(CPACK_PACKAGE_NAME "ZEVeduz")
set(CPACK_PACKAGE_VENDOR "ZE Veduz")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Prepares a raw movie recording for burning as an audio CD")
if(WIN32)
    set(CPACK_GENERATOR "ZIP")
    set(CPACK_SYSTEM_NAME "win64")
else()
    set(CPACK_GENERATOR "TGZ")
    set(CPACK_SYSTEM_NAME "linux-x86_64")
    # Not zeveduz.exe, stripped when linked: strip would write the time into its header.
    set(CPACK_STRIP_FILES ON)
endif()
# The package unpacks into one folder named after it.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
