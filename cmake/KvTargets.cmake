# Common settings for the project's own targets.

function(kv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(KV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(KV_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# kv_library(NAME [SHARED] SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# A static library per subsystem unless SHARED is given; its folder is the public include root.
function(kv_library name)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  if(ARG_SHARED)
    add_library(${name} SHARED ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  kv_warnings(${name})
endfunction()

# kv_test(NAME SOURCES ... LIBS ... [GUI])
# One test program per feature; every test runs offscreen with its own temporary folder.
# Tests need no other environment: the build and source trees and the test
# peer's path are compiled into the support library (tests/support/TestPaths.h).
function(kv_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE kv_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE kv_test_main_core)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  kv_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 600)
endfunction()
