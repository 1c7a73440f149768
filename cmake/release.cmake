# The release: `cmake --build --preset windows --target package` makes
# zorvel-<version>-win32.zip with the host, the plug-in, a README, the scripting guide and the
# examples, in a folder of the same name.
install(TARGETS quenda zorvel RUNTIME DESTINATION .)
configure_file(${CMAKE_SOURCE_DIR}/docs/release-readme.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/scripting.md DESTINATION docs)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME zorvel-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The symbols stay in the build folder; without them the release's programs are far smaller.
set(CPACK_STRIP_FILES ON)
include(CPack)
