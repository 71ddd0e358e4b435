# Format libraries the programs open on first use (codecs/SharedLibrary.h) instead of linking:
# the target gets the library's headers and, as <DEFINE>, the versioned soname of the file
# pkg-config names for <PREFIX> (read from the file itself, so that it matches the headers).
function(kalvo_lazy_library target prefix define)
  list(GET ${prefix}_LINK_LIBRARIES 0 file)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
  string(REGEX MATCH "SONAME +([^ \n]+)" match "${dump}")
  if(NOT status EQUAL 0 OR NOT CMAKE_MATCH_1)
    message(FATAL_ERROR "No soname found in ${file} (${prefix})")
  endif()
  target_compile_definitions(${target} PRIVATE ${define}="${CMAKE_MATCH_1}")
  target_include_directories(${target} SYSTEM PRIVATE
    $<TARGET_PROPERTY:PkgConfig::${prefix},INTERFACE_INCLUDE_DIRECTORIES>)
  target_compile_options(${target} PRIVATE $<TARGET_PROPERTY:PkgConfig::${prefix},INTERFACE_COMPILE_OPTIONS>)
endfunction()
