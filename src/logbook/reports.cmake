# Total times, currency and the abbreviated list: core and windows.
target_sources(aerokit_logbook_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FlightScan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TotalTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Currency.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogBrowse.cpp)
target_sources(aerokit_logbook_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ReportWindows.h
  ${CMAKE_CURRENT_LIST_DIR}/frmTotalTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmCurrent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmLogBrowse.cpp)
