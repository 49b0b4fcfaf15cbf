# One static library per core subsystem folder, so that a subsystem builds and
# tests on its own.  zerlant_core_module(NAME DEPS a b ...) globs src/core/NAME.
function(zerlant_core_module name)
  cmake_parse_arguments(M "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/core/${name}/*.cpp)
  set(target zc_${name})
  if(srcs)
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${M_DEPS} ${M_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${M_DEPS} ${M_LIBS})
  endif()
endfunction()

# tests/core/NAME/*.cpp -> test_NAME (GoogleTest), linked to zc_NAME.
function(zerlant_core_tests name)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/${name}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(test_${name} ${srcs})
  target_link_libraries(test_${name} PRIVATE zc_${name} zerlant_testsupport GTest::gtest_main)
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS core ENVIRONMENT "ZERLANT_DATA=${ZERLANT_SHARED_DATA}")
endfunction()
