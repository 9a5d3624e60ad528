# Runs `cmake --install` for the build in BUILD_DIR into a scratch DESTDIR (DEST), with the
# prefix a Debian package uses, and checks that every file a desktop needs is in its place.
#   cmake -D BUILD_DIR=... -D DEST=... -D APP_ID=... -D VERSION=...
#         -D BINDIR=bin -D DATADIR=share -D MANDIR=share/man -P check-install.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR DEST APP_ID VERSION BINDIR DATADIR MANDIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check-install.cmake: ${var} is not set")
  endif()
endforeach()

set(prefix /usr)
file(REMOVE_RECURSE ${DEST})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DEST}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(root ${DEST}${prefix})
set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

set(expected
  ${BINDIR}/miravane
  ${DATADIR}/applications/${APP_ID}.desktop
  ${DATADIR}/icons/hicolor/32x32/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/16x16/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/22x22/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/24x24/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/48x48/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/64x64/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/128x128/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/256x256/apps/${APP_ID}.png
  ${DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg
  ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
  ${MANDIR}/man6/miravane.6.gz
  ${DATADIR}/doc/miravane/copyright
  ${DATADIR}/doc/miravane/changelog.gz
  ${DATADIR}/lintian/overrides/miravane)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${root}/${file} OR IS_DIRECTORY ${root}/${file})
    fail("missing: ${prefix}/${file}")
  else()
    file(SIZE ${root}/${file} size)
    if(size EQUAL 0)
      fail("empty: ${prefix}/${file}")
    endif()
  endif()
endforeach()

# Nothing else: a file installed by mistake would end up in the package too.
file(GLOB_RECURSE everything RELATIVE ${DEST} LIST_DIRECTORIES false ${DEST}/*)
foreach(file IN LISTS everything)
  string(REGEX REPLACE "^usr/" "" rel ${file})
  if(NOT rel IN_LIST expected OR NOT file MATCHES "^usr/")
    fail("not expected: /${file}")
  endif()
endforeach()

set(binary ${root}/${BINDIR}/miravane)
if(EXISTS ${binary})
  file(READ ${binary} magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    fail("${prefix}/${BINDIR}/miravane is not an ELF program")
  endif()
  execute_process(COMMAND test -x ${binary} RESULT_VARIABLE not_executable)
  if(NOT not_executable EQUAL 0)
    fail("${prefix}/${BINDIR}/miravane is not executable")
  endif()
endif()

# The desktop entry starts the installed program and names the installed icon.
set(desktop ${root}/${DATADIR}/applications/${APP_ID}.desktop)
if(EXISTS ${desktop})
  file(STRINGS ${desktop} exec REGEX "^Exec=")
  if(NOT exec MATCHES "^Exec=miravane( |$)")
    fail("the desktop entry's '${exec}' does not start miravane")
  endif()
  file(STRINGS ${desktop} icon REGEX "^Icon=")
  if(NOT icon STREQUAL "Icon=${APP_ID}")
    fail("the desktop entry's '${icon}' is not the installed icon ${APP_ID}")
  endif()
endif()

# The PNG icon sits in the folder for its size.
set(png ${root}/${DATADIR}/icons/hicolor/32x32/apps/${APP_ID}.png)
if(EXISTS ${png})
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 16 dimensions)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    fail("the 32x32 icon is not a PNG file")
  elseif(NOT dimensions STREQUAL "0000002000000020")
    fail("the icon in 32x32/apps is not 32 by 32 pixels (IHDR ${dimensions})")
  endif()
endif()

# The metainfo names this id, launches this desktop entry and lists this version first.
set(metainfo ${root}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
if(EXISTS ${metainfo})
  file(READ ${metainfo} text)
  if(NOT text MATCHES "<id>${APP_ID}</id>")
    fail("the metainfo's <id> is not ${APP_ID}")
  endif()
  if(NOT text MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
    fail("the metainfo does not launch ${APP_ID}.desktop")
  endif()
  string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${text}")
  if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    fail("the metainfo's newest release is '${CMAKE_MATCH_1}', not ${VERSION}")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "the installed tree in ${DEST} is not right:\n${failures}")
endif()
file(REMOVE_RECURSE ${DEST})
list(LENGTH expected count)
message(STATUS "cmake --install laid out the ${count} expected files, and no others")
