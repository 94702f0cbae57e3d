# Rating record, file window, flight entry and viewer.
target_sources(aerokit_logbook_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LogRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Logbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogbookMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Ratings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FlightInput.cpp)
target_sources(aerokit_logbook_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FlightControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmNewLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmLogInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmLogBook.cpp)
