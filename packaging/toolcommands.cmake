# Writes the help2man include file of vistrel-tool's manual page: a COMMANDS section with the
# full help of every command, as `vistrel-tool help COMMAND` prints it.
#   cmake -DTOOL=path/to/vistrel-tool -DOUT=file.h2m -P toolcommands.cmake
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${TOOL} --help OUTPUT_VARIABLE overview RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TOOL} --help failed: ${result}")
endif()
# The commands are the lines of the "Commands:" list indented by two blanks.
string(REGEX MATCH "Commands:\n(  [^\n]*\n|      [^\n]*\n)*" list "${overview}")
string(REGEX MATCHALL "\n  [a-z]+" names "${list}")

set(text "[COMMANDS]\n")
foreach(name ${names})
    string(STRIP "${name}" name)
    execute_process(COMMAND ${TOOL} help ${name} OUTPUT_VARIABLE help RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${TOOL} help ${name} failed: ${result}")
    endif()
    # roff: backslashes doubled, a leading period or quote made harmless.
    string(REPLACE "\\" "\\e" help "${help}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
    string(APPEND text ".SS ${name}\n.nf\n${help}.fi\n")
endforeach()
if(NOT names)
    message(FATAL_ERROR "no commands in the help of ${TOOL}")
endif()
file(WRITE ${OUT} "${text}")
