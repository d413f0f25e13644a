# Project-wide settings and the helper functions every folder's CMakeLists.txt uses.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

if(VX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings for the project's own targets (not for generated or third-party code).
function(vx_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
endfunction()

# vx_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [ENVIRONMENT <VAR=value...>])
# One test executable, run by CTest as one test.
function(vx_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
  vx_target_warnings(${ARG_NAME})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set(env "VX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data" "VX_SAMPLES=${PROJECT_SOURCE_DIR}/samples" ${ARG_ENVIRONMENT})
  set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 900)
endfunction()
