# Runs one fuzz harness for SECONDS over a fresh copy of CORPUS in WORK, so
# the inputs it finds land in the build tree. A crash fails the test and
# leaves its input in WORK, to be added to the corpus as a regression input.
#   cmake -DFUZZER=... -DCORPUS=... -DWORK=... -DSECONDS=... [-DDICT=...] -P run_fuzzer.cmake

foreach(required FUZZER CORPUS WORK SECONDS)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "run_fuzzer.cmake: -D${required}=... is missing")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${CORPUS}/ DESTINATION ${WORK}/corpus)
set(dictionary "")
if(DICT)
  set(dictionary -dict=${DICT})
endif()
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 ${dictionary}
          -artifact_prefix=${WORK}/ ${WORK}/corpus
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
file(WRITE ${WORK}/fuzzer.log "${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${output}\n${FUZZER} failed (${result}); the input is in ${WORK}")
endif()
# The figures for the README: runs made, and the corpus it ended with.
string(REGEX MATCH "stat::number_of_executed_units: *[0-9]+" runs "${output}")
file(GLOB found ${WORK}/corpus/*)
list(LENGTH found count)
message(STATUS "${runs}; corpus after the run: ${count} inputs; log in ${WORK}/fuzzer.log")
