target_sources(aerokit_logbook_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LogRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Logbook.cpp)
