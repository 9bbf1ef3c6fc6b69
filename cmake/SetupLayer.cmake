# setup_add_layer(NAME DIR DEPS...): a static library from every .cpp in DIR. Files ending
# in _posix.cpp or _win32.cpp are taken only on their platform.
function(setup_add_layer name dir)
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    # A layer whose code is all in headers so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# setup_add_tests(NAME DIR DEPS... [LINUX_ONLY FILE...]): one GoogleTest program from every
# .cpp in DIR. Tests of POSIX code (posix_*.cpp, *_posix_test.cpp) and the LINUX_ONLY files
# (names in DIR: tests that need what only the Linux build has) are left out of a Windows
# build, which runs each program as one test under Wine (setup_add_wine_test).
function(setup_add_tests name dir)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "LINUX_ONLY")
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "/posix_[^/]*\\.cpp$|_posix_test\\.cpp$")
    foreach(linux_only ${arg_LINUX_ONLY})
      list(REMOVE_ITEM sources "${dir}/${linux_only}")
    endforeach()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${arg_UNPARSED_ARGUMENTS} setup_test_support GTest::gtest
                                        GTest::gmock GTest::gtest_main)
  if(WIN32)
    setup_add_wine_test(${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
