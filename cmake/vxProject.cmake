# Project-wide settings and the helper functions every folder's CMakeLists.txt uses.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

# Four configurations (ci, asan, noqt, fuzz) rebuild the same sources in every CI run; ccache
# turns the repeats into cache hits. A launcher given on the command line wins.
if(NOT DEFINED CMAKE_CXX_COMPILER_LAUNCHER AND NOT DEFINED ENV{CMAKE_CXX_COMPILER_LAUNCHER})
  find_program(VX_CCACHE ccache)
  if(VX_CCACHE)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${VX_CCACHE} CACHE STRING "Compiler launcher")
  endif()
endif()

# The noqt preset disables find_package(Qt6) so that any Qt use outside VX_WITH_QT fails loudly.
if(VX_WITH_QT AND CMAKE_DISABLE_FIND_PACKAGE_Qt6)
  message(FATAL_ERROR "VX_WITH_QT=ON needs Qt6, but CMAKE_DISABLE_FIND_PACKAGE_Qt6 is set")
endif()

# The SQL-92 keyword table's collision-free hash is searched at compile time. That search takes
# a few million constant-evaluation steps: within GCC's default limit, past clang's.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_compile_options(-fconstexpr-steps=16777216)
endif()

if(VX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VX_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VX_BUILD_FUZZ needs clang (libFuzzer); use the fuzz preset")
  endif()
  # Coverage instrumentation for everything the fuzzers reach, the core library included;
  # without it libFuzzer only sees its own entry function and mutates blindly.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings for the project's own targets (not for generated or third-party code).
function(vx_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
endfunction()

# The environment of every test: where the data lives, headless Qt (so a plain `ctest` works
# without a preset), and in sanitizer builds the options that turn every finding into a failure.
# A crashing Qt test would otherwise start a debugger for its stack trace and sit there until
# CTest's timeout; the crash itself is what the run must report.
set(VX_TEST_ENVIRONMENT
    "VX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
    "VX_SAMPLES=${PROJECT_SOURCE_DIR}/samples"
    "QT_QPA_PLATFORM=offscreen"
    "QTEST_DISABLE_STACK_TRACE=1")
if(VX_SANITIZE)
  list(APPEND VX_TEST_ENVIRONMENT
       "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1"
       "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# vx_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [ENVIRONMENT <VAR=value...>])
# One test executable, run by CTest as one test.
function(vx_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
  vx_target_warnings(${ARG_NAME})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set(env ${VX_TEST_ENVIRONMENT} ${ARG_ENVIRONMENT})
  set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 900)
endfunction()

# vx_add_fuzzer(NAME <name> SOURCES <files...> LIBS <targets...>)
# One libFuzzer program (the sources define LLVMFuzzerTestOneInput). Its path is listed in
# <build>/fuzzers.txt, from which CI runs every fuzzer.
function(vx_add_fuzzer)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
  target_link_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
  vx_target_warnings(${ARG_NAME})
  set_property(GLOBAL APPEND PROPERTY VX_FUZZERS "$<TARGET_FILE:${ARG_NAME}>")
endfunction()

# Writes <build>/fuzzers.txt; called once after every folder has added its fuzzers.
function(vx_write_fuzzer_list)
  get_property(fuzzers GLOBAL PROPERTY VX_FUZZERS)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzzers.txt CONTENT "$<JOIN:${fuzzers},\n>\n")
endfunction()

# vx_autogen_follow_sources(<target>)
# CMake 3.25's AUTOMOC under Ninja reruns only when a file it has already scanned changes, so a
# Q_OBJECT class added to an existing build directory (a pull, a new folder) would be linked
# without its moc code. When the target's list of sources differs from the last configure, the
# autogen stamp is removed and the next build runs moc again.
function(vx_autogen_follow_sources target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(headers ${target} HEADER_SET)
  string(SHA1 hash "${sources};${headers}")
  get_target_property(autogen_dir ${target} AUTOGEN_BUILD_DIR)
  if(NOT autogen_dir)
    get_target_property(binary_dir ${target} BINARY_DIR)
    set(autogen_dir ${binary_dir}/${target}_autogen)
  endif()
  set(hash_file ${CMAKE_BINARY_DIR}/CMakeFiles/${target}_sources.sha1)
  set(old_hash "")
  if(EXISTS ${hash_file})
    file(READ ${hash_file} old_hash)
  endif()
  if(NOT hash STREQUAL old_hash)
    file(REMOVE ${autogen_dir}/timestamp)
    file(WRITE ${hash_file} ${hash})
  endif()
endfunction()
