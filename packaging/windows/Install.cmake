# The Windows packages, made by CPack:
#   cpack -G ZIP    vantoly-1.00-win64.zip: the program with its data files, to unzip anywhere
#   cpack -G NSIS   vantoly-1.00-win64-setup.exe: the per-user installer (NSIS.template.in here)
# and the same with win32 for the 32-bit build.
install(TARGETS vantoly RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/Black ${CMAKE_SOURCE_DIR}/assets/White DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/assets/alarm.wav DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# How to make it portable (a Vantoly.ini beside it); the installer itself never does.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/README.txt DESTINATION .)

set(CPACK_PACKAGE_NAME vantoly)
set(CPACK_PACKAGE_VERSION 1.00)
set(CPACK_PACKAGE_VENDOR "The Vantoly developers")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_NSIS_VANTOLY_TARGET amd64-unicode)
else()
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_NSIS_VANTOLY_TARGET x86-unicode)
endif()
set(CPACK_GENERATOR ZIP)
# Users get the program without its debugging information (a few MB of it).
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_VANTOLY_ICON ${CMAKE_SOURCE_DIR}/assets/icons/vantoly.ico)
# CPack takes NSIS.template.in from the module path; the options file names the installer.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackOptions.cmake)
include(CPack)
