# The user's guide: docs/guide/tivorn.html + tivorn.css -> tivorn.pdf (WeasyPrint),
# checked to be a PDF and copied into the installed folder beside the program.
#
# Include after TIVORN_INSTALL_TREE is set (and, if it exists, after the install_tree
# target, so the copy runs once the folder is laid out).

if(NOT DEFINED TIVORN_INSTALL_TREE)
  message(FATAL_ERROR "Guide.cmake: set TIVORN_INSTALL_TREE before including this file")
endif()

find_program(TIVORN_WEASYPRINT weasyprint)
if(NOT TIVORN_WEASYPRINT)
  message(FATAL_ERROR "weasyprint was not found; it makes the user's guide (tivorn.pdf). "
                      "Install the Debian package: apt-get install weasyprint")
endif()

set(TIVORN_GUIDE_DIR "${CMAKE_CURRENT_LIST_DIR}/../docs/guide")
get_filename_component(TIVORN_GUIDE_DIR "${TIVORN_GUIDE_DIR}" ABSOLUTE)
set(TIVORN_GUIDE_HTML "${TIVORN_GUIDE_DIR}/tivorn.html")
set(TIVORN_GUIDE_CSS "${TIVORN_GUIDE_DIR}/tivorn.css")
set(TIVORN_GUIDE_PDF "${CMAKE_BINARY_DIR}/tivorn.pdf")
set(TIVORN_GUIDE_CHECK "${CMAKE_CURRENT_LIST_DIR}/CheckPdf.cmake")
file(GLOB TIVORN_GUIDE_PICTURES CONFIGURE_DEPENDS "${TIVORN_GUIDE_DIR}/*.png")

add_custom_command(
  OUTPUT "${TIVORN_GUIDE_PDF}"
  COMMAND ${CMAKE_COMMAND} -E remove -f "${TIVORN_GUIDE_PDF}"
  COMMAND "${TIVORN_WEASYPRINT}" --quiet --base-url "${TIVORN_GUIDE_DIR}/"
          "${TIVORN_GUIDE_HTML}" "${TIVORN_GUIDE_PDF}"
  COMMAND ${CMAKE_COMMAND} -DPDF=${TIVORN_GUIDE_PDF} -P "${TIVORN_GUIDE_CHECK}"
  DEPENDS "${TIVORN_GUIDE_HTML}" "${TIVORN_GUIDE_CSS}" "${TIVORN_GUIDE_CHECK}" ${TIVORN_GUIDE_PICTURES}
  COMMENT "Making the user's guide tivorn.pdf"
  VERBATIM)

add_custom_target(tivorn_guide ALL DEPENDS "${TIVORN_GUIDE_PDF}")

add_custom_target(install_guide ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory "${TIVORN_INSTALL_TREE}"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TIVORN_GUIDE_PDF}" "${TIVORN_INSTALL_TREE}/tivorn.pdf"
  COMMENT "Copying tivorn.pdf into ${TIVORN_INSTALL_TREE}"
  VERBATIM)
# Only a target-level dependency: naming the PDF file here too would let a parallel
# build run WeasyPrint twice.
add_dependencies(install_guide tivorn_guide)
if(TARGET install_tree)
  # install_tree copies data/ over the folder; the guide goes in after it.
  add_dependencies(install_guide install_tree)
endif()
