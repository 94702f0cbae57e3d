# `format` runs clang-format over every tracked C++ file in place;
# `format-check` fails on any file that differs from .clang-format (CI).
find_program(AEROKIT_CLANG_FORMAT NAMES clang-format clang-format-14)
foreach(mode format format-check)
  if(AEROKIT_CLANG_FORMAT)
    add_custom_target(${mode}
      COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${AEROKIT_CLANG_FORMAT} -DMODE=${mode}
              -P ${CMAKE_CURRENT_LIST_DIR}/ClangFormat.cmake
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      VERBATIM)
  else()
    add_custom_target(${mode}
      COMMAND ${CMAKE_COMMAND} -E echo "clang-format was not found (Debian package clang-format)"
      COMMAND ${CMAKE_COMMAND} -E false
      VERBATIM)
  endif()
endforeach()
