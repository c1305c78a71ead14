# One library per folder of src/, linked in the layers' order.
#
#   veltrix_layer(controls PUBLIC veltrix_objects veltrix_draw [PRIVATE ...] [SOURCES generated.cpp...])
#
# Each library puts on its include path a folder of its own that holds one link, named after the
# layer, to src/<layer>. Code reaches "<layer>/file.h" only for its own layer and the layers it
# links, so an include of a higher layer fails to compile instead of tangling the layers.
function(veltrix_layer layer)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE;SOURCES" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${layer}/*.cpp)
  if(sources OR ARG_SOURCES)
    add_library(veltrix_${layer} STATIC ${sources} ${ARG_SOURCES})
    target_include_directories(veltrix_${layer} PUBLIC ${root})
    target_link_libraries(veltrix_${layer} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  else()  # headers only
    add_library(veltrix_${layer} INTERFACE)
    target_include_directories(veltrix_${layer} INTERFACE ${root})
    target_link_libraries(veltrix_${layer} INTERFACE ${ARG_PUBLIC})
  endif()
endfunction()
