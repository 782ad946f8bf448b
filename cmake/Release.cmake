# The release package: Vandrell-VERSION.zip beside the program.
set(package ${CMAKE_BINARY_DIR}/Vandrell-${PROJECT_VERSION}.zip)
find_program(VANDRELL_ZIP zip REQUIRED)
configure_file(app/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT ${package}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:Vandrell> -DSTAGE=${CMAKE_BINARY_DIR}/package
          -DPACKAGE=${package} -DEPOCH=${VANDRELL_SOURCE_DATE_EPOCH} -DZIP=${VANDRELL_ZIP} -P ${CMAKE_SOURCE_DIR}/cmake/Package.cmake
  DEPENDS Vandrell ${CMAKE_SOURCE_DIR}/cmake/Package.cmake ${CMAKE_BINARY_DIR}/package/README.txt
  COMMENT "Packaging Vandrell-${PROJECT_VERSION}.zip")
add_custom_target(package DEPENDS ${package})
