# cmake -DCLANG_FORMAT=<program> -DMODE=format|format-check -P ClangFormat.cmake,
# run in the source directory: the tracked *.cpp and *.h files, or all of them
# under the source folders outside a git checkout.
execute_process(COMMAND git ls-files -- *.cpp *.h
                OUTPUT_VARIABLE files RESULT_VARIABLE git_failed ERROR_QUIET
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(git_failed)
  file(GLOB_RECURSE files RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       src/*.cpp src/*.h app/*.cpp app/*.h tests/*.cpp tests/*.h
       bench/*.cpp bench/*.h fuzz/*.cpp fuzz/*.h)
else()
  string(REPLACE "\n" ";" files "${files}")
endif()
list(SORT files)

if(MODE STREQUAL "format")
  execute_process(COMMAND ${CLANG_FORMAT} -i ${files} RESULT_VARIABLE failed)
else()
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files} RESULT_VARIABLE failed)
endif()
if(failed)
  list(LENGTH files count)
  if(MODE STREQUAL "format")
    message(FATAL_ERROR "clang-format failed")
  endif()
  message(FATAL_ERROR "Some of the ${count} files differ from .clang-format "
                      "(cmake --build <build dir> --target format fixes them)")
endif()
