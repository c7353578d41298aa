# torvex_command_recorder(<target> <PROGRAM>): a stand-in program that records its command
# line; <PROGRAM>.EXE on Windows, <target> on the host.
function(torvex_command_recorder target program)
  add_executable(${target} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CommandRecorder.cpp)
  target_compile_definitions(${target} PRIVATE STANDIN_PROGRAM="${program}")
  target_link_libraries(${target} PRIVATE torvex_standin_support)
  if(WIN32)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${program} SUFFIX ".EXE"
                                               WIN32_EXECUTABLE ON)
  endif()
endfunction()
