# Runs one harness for SECONDS on a fresh copy of its seeds (the corpus folder and
# EXTRA_SEEDS) in WORK, so that nothing is written into the source tree: libFuzzer adds
# the inputs it finds to the copy and writes a crashing input to WORK as crash-*.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
file(GLOB seeds ${SEEDS}/*)
foreach(seed ${seeds} ${EXTRA_SEEDS})
  file(COPY ${seed} DESTINATION ${WORK}/corpus)
endforeach()
set(options -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2560 -print_final_stats=1
  -artifact_prefix=${WORK}/)
if(EXISTS ${DICTIONARY})
  list(APPEND options -dict=${DICTIONARY})
endif()
execute_process(COMMAND ${HARNESS} ${options} ${WORK}/corpus RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${HARNESS} failed (${result}); the input is in ${WORK}")
endif()
