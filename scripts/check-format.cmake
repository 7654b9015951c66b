# Fails when a C++ source of the tree is not formatted as .clang-format says.
#   cmake -DCLANG_FORMAT=/usr/bin/clang-format -DROOT=<source tree> [-DFILES=a.cpp;b.h] -P check-format.cmake
# Without FILES every .cpp and .h of the tree's source folders is checked.
cmake_minimum_required(VERSION 3.25)

if(NOT CLANG_FORMAT OR NOT EXISTS "${CLANG_FORMAT}")
  message(FATAL_ERROR "clang-format is not installed (scripts/install-deps installs it)")
endif()

if(NOT FILES)
  set(FILES)
  foreach(folder common widgets submitter menu tests tools benchmarks fuzz examples)
    if(IS_DIRECTORY "${ROOT}/${folder}")
      file(GLOB_RECURSE found LIST_DIRECTORIES false "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h")
      list(APPEND FILES ${found})
    endif()
  endforeach()
  list(SORT FILES)
endif()
list(LENGTH FILES count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()

execute_process(
  COMMAND "${CLANG_FORMAT}" --dry-run --Werror "--style=file:${ROOT}/.clang-format" ${FILES}
  RESULT_VARIABLE result
  OUTPUT_QUIET
  ERROR_VARIABLE findings)
if(NOT result EQUAL 0)
  # One name per file that clang-format would change.
  string(REGEX MATCHALL "[^\n]+:[0-9]+:[0-9]+: error" places "${findings}")
  set(bad)
  foreach(place ${places})
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error$" "" file "${place}")
    list(APPEND bad "${file}")
  endforeach()
  list(REMOVE_DUPLICATES bad)
  list(JOIN bad "\n  " names)
  if(NOT names)
    set(names "${findings}")
  endif()
  message(FATAL_ERROR "not formatted (run clang-format -i on them):\n  ${names}")
endif()
message(STATUS "${count} sources formatted as .clang-format says")
