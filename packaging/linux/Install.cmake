# Installation as a Linux desktop program, and its Debian and RPM packages.
#   PREFIX/lib/vantoly/       the program with Black/, White/, alarm.wav and plugins/ (the sound
#                             module): its application folder
#   PREFIX/bin/vantoly        a link to it (the program finds its folder through the link)
#   PREFIX/share/...          menu entry, icons in the hicolor theme, AppStream metadata
#   PREFIX/etc/xdg/autostart  the login entry; /etc/xdg/autostart when PREFIX is /usr, and the
#                             user's own autostart folder when PREFIX is in the user's home
#   PREFIX/share/doc/vantoly  the copyright and licence, and the changelog
#   PREFIX/share/man/man1     the manual page vantoly(1)
set(app_dir lib/vantoly)
install(TARGETS vantoly RUNTIME DESTINATION ${app_dir})
# In a folder of its own: a private module, not a library for ldconfig to know.
install(TARGETS vantoly_sound LIBRARY DESTINATION ${app_dir}/plugins)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/Black ${CMAKE_SOURCE_DIR}/assets/White
        DESTINATION ${app_dir})
install(FILES ${CMAKE_SOURCE_DIR}/assets/alarm.wav DESTINATION ${app_dir})

set(linux ${CMAKE_SOURCE_DIR}/packaging/linux)
install(FILES ${linux}/vantoly.desktop DESTINATION share/applications)
install(FILES ${linux}/org.vantoly.Vantoly.metainfo.xml DESTINATION share/metainfo)
install(FILES ${linux}/copyright DESTINATION share/doc/vantoly)
# The manual page and the changelog, compressed as Debian's policy asks (no name, no time).
foreach(doc vantoly.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${doc}.gz
                     COMMAND gzip -9nc ${linux}/${doc} > ${CMAKE_BINARY_DIR}/${doc}.gz
                     DEPENDS ${linux}/${doc} VERBATIM)
endforeach()
add_custom_target(vantoly_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/vantoly.1.gz
                                           ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/vantoly.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION share/doc/vantoly)
install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/vantoly.svg
        DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/vantoly-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vantoly.png)
endforeach()

# Decided at install time, when the prefix of `cmake --install --prefix` or of the package is
# known: the link in bin, and the autostart entry: /etc/xdg/autostart for /usr, the user's own
# autostart folder for a prefix in the user's home, PREFIX/etc/xdg/autostart otherwise (no
# desktop reads that; the README says what to copy).
install(CODE "set(vantoly_linux \"${linux}\")")
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${root}/bin")
  file(CREATE_LINK ../lib/vantoly/vantoly "${root}/bin/vantoly" SYMBOLIC)
  # file(INSTALL) adds DESTDIR itself.
  set(entry "${vantoly_linux}/vantoly-autostart.desktop")
  set(home "$ENV{HOME}")
  string(FIND "${CMAKE_INSTALL_PREFIX}/" "${home}/" at)
  if("$ENV{DESTDIR}" STREQUAL "" AND NOT home STREQUAL "" AND at EQUAL 0)
    set(in_home TRUE)
  endif()
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    file(INSTALL "${entry}" DESTINATION "/etc/xdg/autostart" RENAME vantoly.desktop)
  elseif(in_home)
    # A user's own install: the desktop reads the user's autostart folder, and the session may
    # not have PREFIX/bin on its path yet.
    set(autostart "${home}/.config/autostart")
    if(NOT "$ENV{XDG_CONFIG_HOME}" STREQUAL "")
      set(autostart "$ENV{XDG_CONFIG_HOME}/autostart")
    endif()
    file(READ "${entry}" text)
    string(REPLACE "Exec=vantoly" "Exec=${CMAKE_INSTALL_PREFIX}/bin/vantoly" text "${text}")
    message(STATUS "Installing: ${autostart}/vantoly.desktop")
    file(MAKE_DIRECTORY "${autostart}")
    file(WRITE "${autostart}/vantoly.desktop" "${text}")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${autostart}/vantoly.desktop")
  else()
    file(INSTALL "${entry}" DESTINATION "${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart"
         RENAME vantoly.desktop)
  endif()
]])

set(CPACK_GENERATOR DEB RPM)
set(CPACK_PACKAGE_NAME vantoly)
set(CPACK_PACKAGE_VERSION "1.00")
set(CPACK_PACKAGE_VENDOR "Vantoly")
set(CPACK_PACKAGE_CONTACT "Vantoly developers <developers@vantoly.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Today's date in the tray, with three notes and an alarm")
set(CPACK_PACKAGE_DESCRIPTION "Vantoly lives in the notification area and shows today's day
of the month as its icon. Double-clicking it shows a small always-on-top
window with three notes; a note may carry alarms written as @ and a time.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The sound module is the program's own, not a shared library for others: no ldconfig.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_LDCONFIG OFF)
# The login entry is the administrator's to change or switch off: a conffile.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${linux}/conffiles)
# Sessions on Wayland need Qt's Wayland platform plugin; X11 sessions have theirs in libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_LICENSE "MIT")
set(CPACK_RPM_PACKAGE_GROUP "Applications/Productivity")
set(CPACK_RPM_PACKAGE_URL "https://vantoly.org")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# What it needs, by the names Fedora gives Qt 6's packages.
set(CPACK_RPM_PACKAGE_AUTOREQ OFF)
set(CPACK_RPM_PACKAGE_REQUIRES "qt6-qtbase >= 6.2, qt6-qtbase-gui >= 6.2, qt6-qtmultimedia >= 6.2")
set(CPACK_RPM_PACKAGE_SUGGESTS "qt6-qtwayland")
set(CPACK_RPM_USER_FILELIST "%config(noreplace) /etc/xdg/autostart/vantoly.desktop")
# The folders other packages own too.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /etc/xdg /etc/xdg/autostart /usr/share/metainfo
    /usr/share/man /usr/share/man/man1
    /usr/share/applications /usr/share/icons /usr/share/icons/hicolor)
foreach(size 16 22 24 32 48 64 128 256 scalable)
  set(folder /usr/share/icons/hicolor/${size}x${size})
  if(size STREQUAL scalable)
    set(folder /usr/share/icons/hicolor/scalable)
  endif()
  list(APPEND CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION ${folder} ${folder}/apps)
endforeach()
set(CPACK_RPM_CHANGELOG_FILE ${linux}/rpm-changelog)
# The same files as the DEB: no /usr/lib/.build-id links beside them.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${CPACK_PACKAGE_CONTACT}
%define _build_id_links none")
include(CPack)
