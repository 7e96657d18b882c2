# A program's debug information goes into PROGRAM.exe.debug beside it, which
# debuggers find through the program's .gnu_debuglink. Left in the program it is
# nine tenths of the file, and Wine reads every section of a mingw program into
# memory at start (its sections are not aligned for mapping): that is time
# before the window and megabytes of working set that nothing uses.
function(stel7_debug_info_beside target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
                $<TARGET_FILE_NAME:${target}>
        WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
        VERBATIM)
endfunction()
