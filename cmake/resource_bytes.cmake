# veltrix_resource_bytes(PATH OUT_VAR): the bytes of a resource file as the initialiser of a
# C++ char array ('\x41','\x42',...), for sources that compile a file in, so that nothing is
# looked up at run time. The build configures again when the file changes.
function(veltrix_resource_bytes path out_var)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
  file(READ ${path} bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  set(${out_var} "${bytes}" PARENT_SCOPE)
endfunction()
