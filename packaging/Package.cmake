# Run by the `package` target (cmake -P): stages the release files, then writes the zip and the
# installer. Variables: SCR, KJV_DAT, README, ICON, NSI, VERSION, OUT_DIR, MAKENSIS.
# Signs Vellumway.scr (before it goes into either) and the installer with Authenticode when the
# environment names a certificate and its key: VELLUMWAY_SIGN_CERT and VELLUMWAY_SIGN_KEY (PEM
# or DER files), and VELLUMWAY_SIGN_TIMESTAMP a timestamp server (RFC 3161) if wanted.
cmake_minimum_required(VERSION 3.25)

set(cert "$ENV{VELLUMWAY_SIGN_CERT}")
set(key "$ENV{VELLUMWAY_SIGN_KEY}")
set(timestamp "$ENV{VELLUMWAY_SIGN_TIMESTAMP}")
if((cert STREQUAL "") AND NOT (key STREQUAL ""))
  message(FATAL_ERROR "VELLUMWAY_SIGN_KEY is set but VELLUMWAY_SIGN_CERT is not: set both to sign.")
elseif(NOT (cert STREQUAL "") AND (key STREQUAL ""))
  message(FATAL_ERROR "VELLUMWAY_SIGN_CERT is set but VELLUMWAY_SIGN_KEY is not: set both to sign.")
elseif(NOT (cert STREQUAL ""))
  find_program(osslsigncode osslsigncode REQUIRED)
endif()

# Signs `file` in place when a certificate is named, and says what it did either way.
function(sign file)
  get_filename_component(name "${file}" NAME)
  if(cert STREQUAL "")
    message(STATUS "Not signed: ${name} (no VELLUMWAY_SIGN_CERT and VELLUMWAY_SIGN_KEY)")
    return()
  endif()
  set(stamp "")
  if(NOT (timestamp STREQUAL ""))
    set(stamp -ts "${timestamp}")
  endif()
  execute_process(
    COMMAND "${osslsigncode}" sign -certs "${cert}" -key "${key}" -h sha256
            -n "Vellumway Screen Saver" ${stamp} -in "${file}" -out "${file}.signed"
    RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "osslsigncode could not sign ${file} with ${cert}")
  endif()
  file(RENAME "${file}.signed" "${file}")
  if(timestamp STREQUAL "")
    message(STATUS "Signed: ${name} with ${cert}, no timestamp (no VELLUMWAY_SIGN_TIMESTAMP)")
  else()
    message(STATUS "Signed: ${name} with ${cert}, timestamped by ${timestamp}")
  endif()
endfunction()

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
sign("${stage}/Vellumway.scr")

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
sign("${setup}")

message(STATUS "Zip:       ${zip}")
message(STATUS "Installer: ${setup}")
