# The project version, handed to the code as zorvel_version.h and to Windows as version resources.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/generated/zorvel_version.h)
include_directories(${CMAKE_BINARY_DIR}/generated)

if(WIN32)
  enable_language(RC)
endif()

# zv_version_resource(TARGET FILE DESCRIPTION): gives TARGET the version resource that Windows
# shows in the file's properties, for FILE (its name on disk) described by DESCRIPTION.
function(zv_version_resource target file description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(ZV_FILE_TYPE "VFT_DLL")
  else()
    set(ZV_FILE_TYPE "VFT_APP")
  endif()
  set(ZV_FILE "${file}")
  set(ZV_DESCRIPTION "${description}")
  string(REGEX REPLACE "\\.[^.]*$" "" ZV_INTERNAL_NAME "${file}")
  set(rc ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
