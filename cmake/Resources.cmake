# The program's pictures and its Windows resource script.
#
# The pictures are drawn as SVG under resources/ and rendered at build time:
# rsvg-convert makes PNGs, ImageMagick packs each picture into a 32-bit
# (alpha) .ico, the About picture becomes a baseline JPEG. Everything lands in
# ${CMAKE_BINARY_DIR}/res/, together with tivorn.rc generated from
# resources/tivorn.rc.in, which the RC compiler turns into the icons, the About
# JPEG, the version information and the manifest.
#
# Usage, at file scope after project():
#   include(cmake/Resources.cmake)
#   tivorn_add_resources(<target>)      # once per executable, as often as needed
#
# The rendering happens once, in the custom target tivorn_pictures; every
# target handed to tivorn_add_resources depends on it and compiles the same
# generated .rc. The function also puts resources/ on the target's include path
# so that the code can #include "resource_ids.h".
#
# When the build is not for Windows the function only adds that include
# directory: there is nothing to embed the pictures into.
#
# The same file doubles as the checker of a rendered picture:
#   cmake -D TIVORN_CHECK_ICO=<file.ico> -D TIVORN_CHECK_SIZES=16,32 -P Resources.cmake
#   cmake -D TIVORN_CHECK_JPEG=<file.jpg> -D TIVORN_CHECK_SIZE=333x250 -P Resources.cmake
# A picture that fails the check is deleted, so the next build renders it again.

# ---------------------------------------------------------------------------
# Checking a rendered picture (script mode)
# ---------------------------------------------------------------------------
if(CMAKE_SCRIPT_MODE_FILE AND (DEFINED TIVORN_CHECK_ICO OR DEFINED TIVORN_CHECK_JPEG))

  # Byte at offset (0-based) of a hex dump, as a number.
  function(_tivorn_u8 hex offset out)
    math(EXPR _at "${offset} * 2")
    string(SUBSTRING "${hex}" ${_at} 2 _b)
    math(EXPR _v "0x${_b}")
    set(${out} ${_v} PARENT_SCOPE)
  endfunction()

  # Little-endian unsigned of n bytes.
  function(_tivorn_le hex offset n out)
    set(_v 0)
    set(_i ${n})
    while(_i GREATER 0)
      math(EXPR _i "${_i} - 1")
      math(EXPR _o "${offset} + ${_i}")
      _tivorn_u8("${hex}" ${_o} _b)
      math(EXPR _v "${_v} * 256 + ${_b}")
    endwhile()
    set(${out} ${_v} PARENT_SCOPE)
  endfunction()

  # Big-endian 16-bit unsigned.
  function(_tivorn_be16 hex offset out)
    _tivorn_u8("${hex}" ${offset} _hi)
    math(EXPR _o "${offset} + 1")
    _tivorn_u8("${hex}" ${_o} _lo)
    math(EXPR _v "${_hi} * 256 + ${_lo}")
    set(${out} ${_v} PARENT_SCOPE)
  endfunction()

  macro(_tivorn_reject path why)
    file(REMOVE "${path}")
    message(FATAL_ERROR "${path}: ${why} (the file has been removed)")
  endmacro()

  if(DEFINED TIVORN_CHECK_ICO)
    set(f "${TIVORN_CHECK_ICO}")
    if(NOT EXISTS "${f}")
      message(FATAL_ERROR "${f} was not made")
    endif()
    file(READ "${f}" hex HEX)
    string(LENGTH "${hex}" hexlen)
    math(EXPR size "${hexlen} / 2")
    if(size LESS 22)
      _tivorn_reject("${f}" "too short for an icon")
    endif()
    _tivorn_le("${hex}" 0 2 reserved)
    _tivorn_le("${hex}" 2 2 type)
    _tivorn_le("${hex}" 4 2 count)
    if(NOT reserved EQUAL 0 OR NOT type EQUAL 1)
      _tivorn_reject("${f}" "not an icon file")
    endif()
    string(REPLACE "," ";" wanted "${TIVORN_CHECK_SIZES}")
    list(LENGTH wanted nwanted)
    if(NOT count EQUAL nwanted)
      _tivorn_reject("${f}" "holds ${count} images instead of ${nwanted} (${TIVORN_CHECK_SIZES})")
    endif()
    set(found "")
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      math(EXPR e "6 + 16 * ${i}")
      _tivorn_u8("${hex}" ${e} w)
      math(EXPR o "${e} + 1")
      _tivorn_u8("${hex}" ${o} h)
      math(EXPR o "${e} + 6")
      _tivorn_le("${hex}" ${o} 2 bpp)
      math(EXPR o "${e} + 8")
      _tivorn_le("${hex}" ${o} 4 bytes)
      math(EXPR o "${e} + 12")
      _tivorn_le("${hex}" ${o} 4 offset)
      if(NOT w EQUAL h)
        _tivorn_reject("${f}" "image ${i} is ${w}x${h}, not square")
      endif()
      math(EXPR end "${offset} + ${bytes}")
      if(end GREATER size)
        _tivorn_reject("${f}" "image ${i} runs past the end of the file")
      endif()
      # The image itself must be a 32-bit DIB of the same size, twice as
      # high because of the AND mask.
      _tivorn_le("${hex}" ${offset} 4 hdr)
      math(EXPR o "${offset} + 4")
      _tivorn_le("${hex}" ${o} 4 dibw)
      math(EXPR o "${offset} + 8")
      _tivorn_le("${hex}" ${o} 4 dibh)
      math(EXPR o "${offset} + 14")
      _tivorn_le("${hex}" ${o} 2 dibbpp)
      math(EXPR h2 "${h} * 2")
      if(NOT hdr EQUAL 40 OR NOT dibw EQUAL w OR NOT dibh EQUAL h2)
        _tivorn_reject("${f}" "image ${i} is not a ${w}x${h} bitmap")
      endif()
      if(NOT bpp EQUAL 32 OR NOT dibbpp EQUAL 32)
        _tivorn_reject("${f}" "image ${i} has ${dibbpp} bits per pixel, not 32")
      endif()
      # A transparent background and some solid drawing: the alpha channel
      # survived the trip through ImageMagick.
      math(EXPR pixels "${w} * ${w}")
      math(EXPR p "${offset} + 40 + 3")
      set(clear FALSE)
      set(solid FALSE)
      foreach(k RANGE 1 ${pixels})
        _tivorn_u8("${hex}" ${p} a)
        if(a EQUAL 0)
          set(clear TRUE)
        elseif(a EQUAL 255)
          set(solid TRUE)
        endif()
        if(clear AND solid)
          break()
        endif()
        math(EXPR p "${p} + 4")
      endforeach()
      if(NOT clear OR NOT solid)
        _tivorn_reject("${f}" "image ${i} has lost its alpha channel")
      endif()
      list(APPEND found ${w})
    endforeach()
    foreach(s IN LISTS wanted)
      list(FIND found ${s} at)
      if(at EQUAL -1)
        _tivorn_reject("${f}" "has no ${s}x${s} image (it has: ${found})")
      endif()
    endforeach()
  endif()

  if(DEFINED TIVORN_CHECK_JPEG)
    set(f "${TIVORN_CHECK_JPEG}")
    if(NOT EXISTS "${f}")
      message(FATAL_ERROR "${f} was not made")
    endif()
    file(READ "${f}" hex HEX LIMIT 65536)
    string(SUBSTRING "${hex}" 0 4 soi)
    if(NOT soi STREQUAL "ffd8")
      _tivorn_reject("${f}" "not a JPEG file")
    endif()
    string(LENGTH "${hex}" hexlen)
    math(EXPR size "${hexlen} / 2")
    set(at 2)
    set(frame "")
    while(at LESS size)
      _tivorn_u8("${hex}" ${at} ff)
      math(EXPR o "${at} + 1")
      _tivorn_u8("${hex}" ${o} marker)
      if(NOT ff EQUAL 255)
        _tivorn_reject("${f}" "broken segment at byte ${at}")
      endif()
      # SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC)
      if(marker GREATER_EQUAL 192 AND marker LESS_EQUAL 207
         AND NOT marker EQUAL 196 AND NOT marker EQUAL 200 AND NOT marker EQUAL 204)
        set(frame ${marker})
        math(EXPR o "${at} + 5")
        _tivorn_be16("${hex}" ${o} jh)
        math(EXPR o "${at} + 7")
        _tivorn_be16("${hex}" ${o} jw)
        break()
      endif()
      math(EXPR o "${at} + 2")
      _tivorn_be16("${hex}" ${o} seglen)
      math(EXPR at "${at} + 2 + ${seglen}")
    endwhile()
    if(frame STREQUAL "")
      _tivorn_reject("${f}" "no frame header found")
    endif()
    if(NOT frame EQUAL 192)
      _tivorn_reject("${f}" "not a baseline JPEG")
    endif()
    if(NOT "${jw}x${jh}" STREQUAL "${TIVORN_CHECK_SIZE}")
      _tivorn_reject("${f}" "is ${jw}x${jh} instead of ${TIVORN_CHECK_SIZE}")
    endif()
  endif()
  return()
endif()

# ---------------------------------------------------------------------------
# Build rules
# ---------------------------------------------------------------------------
include_guard(GLOBAL)

if(CMAKE_VERSION VERSION_LESS 3.20)
  message(FATAL_ERROR "cmake/Resources.cmake needs CMake 3.20 or newer")
endif()

set(TIVORN_RESOURCES_DIR "${CMAKE_CURRENT_LIST_DIR}/../resources")
get_filename_component(TIVORN_RESOURCES_DIR "${TIVORN_RESOURCES_DIR}" ABSOLUTE)
set(_TIVORN_RESOURCES_CMAKE "${CMAKE_CURRENT_LIST_FILE}")

# Small pictures, rendered at 16x16, in the order of resource_ids.h.
set(TIVORN_SMALL_PICTURES
  main-00-printer main-01-floppy main-02-help main-03-about main-04-envelope
  main-05-home main-06-exit main-07-palette main-08-notepad main-09-namesearch
  main-10-calendar main-11-tray main-12-list main-13-more
  sb-prev sb-next sb-close sb-saveclose sb-print sb-find sb-findnext sb-defaults
  sb-reminder
  edit-00-new edit-01-open edit-02-saveas edit-03-print edit-04-cut edit-05-copy
  edit-06-paste edit-07-colours edit-08-font edit-09-wordproc edit-10-reload
  format-00-bold format-01-italic format-02-underline format-03-left
  format-04-centre format-05-right format-06-bullets
)
# Pictures with sizes of their own (pixels, comma separated).
set(TIVORN_PICTURE_SIZES_tivorn-icon "16,32,48")
set(TIVORN_PICTURE_SIZES_tt-marker "32")
set(TIVORN_PICTURES ${TIVORN_SMALL_PICTURES} tivorn-icon tt-marker)

if(WIN32 AND NOT CMAKE_RC_COMPILER_LOADED)
  enable_language(RC)
endif()
# The resource script is UTF-8 (Hungarian text in the version block). CMake
# passes only -D and -I from a target's compile options to windres, so the
# code page goes into the directory's RC flags, which the folders added after
# this include inherit.
if(WIN32 AND NOT CMAKE_RC_FLAGS MATCHES "(^| )-c ?65001( |$)")
  string(APPEND CMAKE_RC_FLAGS " -c 65001")
endif()

# Finds the tools and writes the rules that render every picture, once.
function(_tivorn_define_picture_rules)
  # Host tools: a cross toolchain's find root must not hide them.
  find_program(TIVORN_RSVG_CONVERT NAMES rsvg-convert NO_CMAKE_FIND_ROOT_PATH
    DOC "rsvg-convert from librsvg, renders the SVG pictures")
  if(NOT TIVORN_RSVG_CONVERT)
    message(FATAL_ERROR
      "rsvg-convert was not found; it renders the program's pictures. "
      "On Debian: apt-get install librsvg2-bin")
  endif()
  find_program(TIVORN_IMAGEMAGICK NAMES convert magick NO_CMAKE_FIND_ROOT_PATH
    DOC "ImageMagick's convert, packs the icons and the JPEG")
  if(NOT TIVORN_IMAGEMAGICK)
    message(FATAL_ERROR
      "ImageMagick's convert was not found; it makes the icons and the About JPEG. "
      "On Debian: apt-get install imagemagick")
  endif()
  execute_process(COMMAND "${TIVORN_IMAGEMAGICK}" -version
    OUTPUT_VARIABLE _im_version ERROR_QUIET RESULT_VARIABLE _im_result)
  if(NOT _im_result EQUAL 0 OR NOT _im_version MATCHES "ImageMagick")
    message(FATAL_ERROR
      "${TIVORN_IMAGEMAGICK} is not ImageMagick's convert; set TIVORN_IMAGEMAGICK to it")
  endif()

  set(src "${TIVORN_RESOURCES_DIR}")
  set(out "${CMAKE_BINARY_DIR}/res")
  file(MAKE_DIRECTORY "${out}/png")

  set(made "")
  foreach(name IN LISTS TIVORN_PICTURES)
    set(svg "${src}/icons/${name}.svg")
    if(NOT EXISTS "${svg}")
      message(FATAL_ERROR "The picture ${svg} is missing")
    endif()
    if(DEFINED TIVORN_PICTURE_SIZES_${name})
      set(sizes "${TIVORN_PICTURE_SIZES_${name}}")
    else()
      set(sizes "16")
    endif()
    string(REPLACE "," ";" size_list "${sizes}")
    set(render "")
    set(pngs "")
    foreach(s IN LISTS size_list)
      set(png "${out}/png/${name}-${s}.png")
      list(APPEND render COMMAND "${TIVORN_RSVG_CONVERT}" -w ${s} -h ${s} -o "${png}" "${svg}")
      list(APPEND pngs "${png}")
    endforeach()
    set(ico "${out}/${name}.ico")
    add_custom_command(OUTPUT "${ico}"
      ${render}
      COMMAND "${TIVORN_IMAGEMAGICK}" ${pngs} -type TrueColorAlpha "${ico}"
      COMMAND "${CMAKE_COMMAND}" -D "TIVORN_CHECK_ICO=${ico}" -D "TIVORN_CHECK_SIZES=${sizes}"
              -P "${_TIVORN_RESOURCES_CMAKE}"
      DEPENDS "${svg}" "${_TIVORN_RESOURCES_CMAKE}"
      COMMENT "Rendering picture ${name}"
      VERBATIM)
    list(APPEND made "${ico}")
  endforeach()

  set(jpg "${out}/about.jpg")
  add_custom_command(OUTPUT "${jpg}"
    COMMAND "${TIVORN_RSVG_CONVERT}" -w 333 -h 250 -o "${out}/png/about.png" "${src}/about.svg"
    COMMAND "${TIVORN_IMAGEMAGICK}" "${out}/png/about.png" -background white -alpha remove -alpha off
            -strip -interlace none -quality 90 "JPEG:${jpg}"
    COMMAND "${CMAKE_COMMAND}" -D "TIVORN_CHECK_JPEG=${jpg}" -D "TIVORN_CHECK_SIZE=333x250"
            -P "${_TIVORN_RESOURCES_CMAKE}"
    DEPENDS "${src}/about.svg" "${_TIVORN_RESOURCES_CMAKE}"
    COMMENT "Rendering the About picture"
    VERBATIM)
  list(APPEND made "${jpg}")

  # The resource script names the pictures one by one; it must name exactly
  # the ones rendered here.
  file(READ "${src}/tivorn.rc.in" rc_text)
  string(REGEX MATCHALL "/([a-z0-9-]+)\\.ico\"" named "${rc_text}")
  string(REGEX REPLACE "/([a-z0-9-]+)\\.ico\"" "\\1" named "${named}")
  foreach(name IN LISTS named)
    if(NOT name IN_LIST TIVORN_PICTURES)
      message(FATAL_ERROR "tivorn.rc.in uses ${name}.ico, which is not rendered")
    endif()
  endforeach()
  foreach(name IN LISTS TIVORN_PICTURES)
    if(NOT name IN_LIST named)
      message(FATAL_ERROR "${name}.ico is rendered but tivorn.rc.in does not use it")
    endif()
  endforeach()

  set(TIVORN_RES_SOURCE_DIR "${src}")
  set(TIVORN_RES_BINARY_DIR "${out}")
  configure_file("${src}/tivorn.rc.in" "${out}/tivorn.rc" @ONLY NEWLINE_STYLE UNIX)

  add_custom_target(tivorn_pictures DEPENDS ${made}
    SOURCES ${src}/about.svg ${src}/tivorn.rc.in ${src}/tivorn.manifest)
  set_property(GLOBAL PROPERTY TIVORN_RESOURCE_INPUTS
    ${made} "${src}/tivorn.manifest" "${src}/resource_ids.h")
  set_property(GLOBAL PROPERTY TIVORN_RESOURCE_SCRIPT "${out}/tivorn.rc")
endfunction()

# tivorn_add_resources(<target>): compiles the program's resources into <target>.
function(tivorn_add_resources target)
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tivorn_add_resources: ${target} is not a target")
  endif()
  target_include_directories(${target} PRIVATE "${TIVORN_RESOURCES_DIR}")
  if(NOT WIN32)
    message(STATUS "${target}: not a Windows build, the pictures are left out")
    return()
  endif()
  get_property(_languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT "RC" IN_LIST _languages)
    message(FATAL_ERROR
      "tivorn_add_resources needs the RC language: include cmake/Resources.cmake "
      "at file scope after project(), or call enable_language(RC)")
  endif()

  if(NOT TARGET tivorn_pictures)
    _tivorn_define_picture_rules()
  endif()
  get_property(rc GLOBAL PROPERTY TIVORN_RESOURCE_SCRIPT)
  get_property(inputs GLOBAL PROPERTY TIVORN_RESOURCE_INPUTS)

  target_sources(${target} PRIVATE "${rc}")
  # The resource compiler reports no dependencies of its own: a changed
  # picture, manifest or id must still rebuild the resource object.
  set_source_files_properties("${rc}" TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS "${inputs}")
  add_dependencies(${target} tivorn_pictures)
endfunction()
