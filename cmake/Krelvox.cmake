# krelvox_add_layer(<name> [DEPENDS <targets...>] [DIRS <subdirs...>])
# One static library per layer. Its sources are the .cpp/.h files of the layer's
# folder (and the listed subfolders), so adding a class needs no CMake edit.
function(krelvox_add_layer name)
  cmake_parse_arguments(L "" "" "DEPENDS;DIRS" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(d ${L_DIRS})
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.h)
  endforeach()
  file(GLOB srcs CONFIGURE_DEPENDS ${globs})
  set(cpps ${srcs})
  list(FILTER cpps INCLUDE REGEX "\\.cpp$")
  if(cpps)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPENDS})
  endif()
endfunction()

# krelvox_add_tests(LIBS <targets...>)
# Every tst_*.cpp of the calling folder becomes one QtTest executable and one CTest
# test. Tests run offscreen; each test builds its own world (temporary HOME, storage
# root and settings, fake service) through krelvox_testsupport (tests/support).
function(krelvox_add_tests)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(src ${tests})
    get_filename_component(tname ${src} NAME_WE)
    add_executable(${tname} ${src})
    target_link_libraries(${tname} PRIVATE ${T_LIBS} krelvox_testsupport Qt6::Test)
    add_test(NAME ${tname} COMMAND ${tname})
    set_tests_properties(${tname} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KRELVOX_TEST_OUTPUT=${PROJECT_BINARY_DIR}/test-output"
      TIMEOUT 300)
  endforeach()
endfunction()
