# Writes the release package (run by the package target in script mode):
#   cmake -DPROGRAM=Vandrell.exe -DSTAGE=FOLDER -DPACKAGE=Vandrell-VERSION.zip -DEPOCH=SECONDS -DZIP=zip
#         -P Package.cmake
# FOLDER already holds README.txt. The zip holds Vandrell.exe, README.txt and SHA256SUMS (in
# the format sha256sum -c reads), each with the fixed time EPOCH, so the same program gives
# the same package.
file(COPY_FILE ${PROGRAM} ${STAGE}/Vandrell.exe)
set(sums "")
foreach(name Vandrell.exe README.txt)
  file(SHA256 ${STAGE}/${name} sum)
  string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE ${STAGE}/SHA256SUMS "${sums}")
# Fixed times and modes, and no extra fields (zip -X): the zip's bytes depend on its files
# only. Zip times are local times, so the zip is written in UTC.
set(files Vandrell.exe README.txt SHA256SUMS)
foreach(name ${files})
  file(CHMOD ${STAGE}/${name} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
file(REMOVE ${PACKAGE})
execute_process(COMMAND touch -d @${EPOCH} ${files} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE touched)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q -9 ${PACKAGE} ${files}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
if(NOT touched EQUAL 0 OR NOT status EQUAL 0)
  message(FATAL_ERROR "Could not write ${PACKAGE}")
endif()
