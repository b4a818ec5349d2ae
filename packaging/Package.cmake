# Run by the `package` target (cmake -P): stages the release files, then writes the zip and the
# installer. Variables: SCR, KJV_DAT, README, ICON, NSI, VERSION, OUT_DIR, MAKENSIS.
cmake_minimum_required(VERSION 3.25)

# 31,102 verses of 534 bytes: anything else is a stale or broken build.
set(kjv_size 16608468)
if(NOT EXISTS "${KJV_DAT}")
  get_filename_component(dist "${KJV_DAT}" DIRECTORY)
  message(FATAL_ERROR "kjv.dat is missing from ${dist}: it is made by the native build.\n"
    "Build that first, with the same VELLUMWAY_DIST_DIR as this build:\n"
    "  cmake --preset native -DVELLUMWAY_DIST_DIR=${dist} && cmake --build <its build folder>")
endif()
file(SIZE "${KJV_DAT}" size)
if(NOT size EQUAL kjv_size)
  message(FATAL_ERROR
    "${KJV_DAT} has ${size} bytes, expected ${kjv_size}: rebuild the native preset.")
endif()
if(NOT MAKENSIS)
  message(FATAL_ERROR
    "makensis not found: install NSIS (Debian: apt-get install nsis) and reconfigure.")
endif()

set(base "Vellumway-${VERSION}-win64")
set(stage "${OUT_DIR}/stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY "${SCR}" "${KJV_DAT}" DESTINATION "${stage}")

# The guide is read with Notepad: Windows line endings, whatever the checkout has.
file(READ "${README}" text)
string(REPLACE "\r" "" text "${text}")
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${stage}/README.txt" "${text}")

set(zip "${OUT_DIR}/${base}.zip")
file(REMOVE "${zip}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${zip}" --format=zip README.txt Vellumway.scr kjv.dat
  WORKING_DIRECTORY "${stage}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Could not write ${zip}")
endif()

set(setup "${OUT_DIR}/${base}-setup.exe")
file(REMOVE "${setup}")
execute_process(
  COMMAND "${MAKENSIS}" -V2 -DVERSION=${VERSION} -DSTAGE=${stage} -DICON=${ICON}
          -DOUTFILE=${setup} "${NSI}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${setup}")
  message(FATAL_ERROR "makensis failed on ${NSI}")
endif()

message(STATUS "Zip:       ${zip}")
message(STATUS "Installer: ${setup}")
