# AddressSanitizer (with its leak checker) and UndefinedBehaviorSanitizer for every
# target. Any report ends the process with an error, so a test with one fails.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Warnings clang has beyond the main (gcc) build's -Wall -Wextra: a subclass
  # function that shares a base class's name on purpose, and a test's self-assignment.
  add_compile_options(-Wno-overloaded-virtual -Wno-self-assign-overloaded)
endif()

# What the tests and harnesses run with. Debian 12's glibc keeps thread-local data
# where the leak checker does not look for pointers: without use_tls=0 it reports
# every thread's allocations as leaked.
set(KRELVOX_SANITIZER_ENVIRONMENT
  "ASAN_OPTIONS=detect_leaks=1:strict_init_order=1"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "LSAN_OPTIONS=use_tls=0:suppressions=${PROJECT_SOURCE_DIR}/tools/sanitizers/lsan.supp:print_suppressions=0")
