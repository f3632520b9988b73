# The release: a program that builds byte for byte the same from the same
# sources, its installer, and the tests of the installed program.
#
# Include at the end of the Windows part of CMakeLists.txt (after Guide.cmake):
# it needs the targets tivorn, tivorn_core, tivorn_ui, tivorn_windows, tivorn_guide and the
# rendered icon.
#
# - x86 (the release): the installer Tivorn-<version>-telepito.exe is built
#   every time; the tests run the 32-bit program under qemu-i386 (scripts/run32.sh).
# - x86_64: the same installer script packs the 64-bit program; the installer
#   test installs, upgrades and uninstalls it under wine64.

# No link time stamp in the PE header, no build folder in the code.
target_link_options(tivorn PRIVATE -Wl,--no-insert-timestamp)
foreach(target tivorn_system tivorn_core tivorn_ui tivorn_windows tivorn)
  target_compile_options(${target} PRIVATE
    "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=." "-ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
endforeach()

find_program(TIVORN_MAKENSIS makensis DOC "makensis from NSIS (Debian: nsis), builds the installer")
if(NOT TIVORN_MAKENSIS)
  message(FATAL_ERROR "makensis was not found; it builds the installer. On Debian: apt-get install nsis")
endif()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TIVORN_INSTALLER_ARCH amd64)
  set(TIVORN_INSTALLER_NAME "Tivorn-${PROJECT_VERSION}-telepito-x64.exe")
else()
  set(TIVORN_INSTALLER_ARCH x86)
  set(TIVORN_INSTALLER_NAME "Tivorn-${PROJECT_VERSION}-telepito.exe")
endif()
set(TIVORN_INSTALLER "${CMAKE_BINARY_DIR}/installer/${TIVORN_INSTALLER_NAME}")
set(TIVORN_INSTALLER_STAGE "${CMAKE_BINARY_DIR}/installer/Tivorn")
file(GLOB_RECURSE TIVORN_DATA_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/*")

add_custom_command(OUTPUT "${TIVORN_INSTALLER}"
  COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/make-installer.sh" ${TIVORN_INSTALLER_ARCH}
          "$<TARGET_FILE:tivorn>" "${TIVORN_GUIDE_PDF}" "${CMAKE_BINARY_DIR}/res/tivorn-icon.ico"
          "${TIVORN_INSTALLER_STAGE}" "${TIVORN_INSTALLER}"
  DEPENDS tivorn "${TIVORN_GUIDE_PDF}" "${CMAKE_BINARY_DIR}/res/tivorn-icon.ico" ${TIVORN_DATA_FILES}
          "${CMAKE_SOURCE_DIR}/installer/tivorn.nsi" "${CMAKE_SOURCE_DIR}/scripts/make-installer.sh"
  COMMENT "Building the installer ${TIVORN_INSTALLER_NAME}"
  VERBATIM)
add_custom_target(installer ALL DEPENDS "${TIVORN_INSTALLER}")
add_dependencies(installer tivorn_guide tivorn_pictures)

# The tests of the installer and of the installed program, in a folder of their
# own (release-tests), which scripts/test.sh runs for both trees.
add_subdirectory("${CMAKE_SOURCE_DIR}/tests/installer" "${CMAKE_BINARY_DIR}/release-tests")

# The version test reads tivorn.exe's version information.
if(TARGET win_version)
  target_link_libraries(win_version PRIVATE version)
  add_dependencies(win_version tivorn)
endif()
