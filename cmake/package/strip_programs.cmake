# Run by cpack once the files are staged: strips the programs the way Debian's own packaging
# does, symbols and the compiler's .comment notes out, the build id kept.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program ${programs})
    execute_process(
        COMMAND "${CPACK_STRIP}" --strip-unneeded --remove-section=.comment "${program}"
        RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot strip ${program}")
    endif()
endforeach()
