# Total times, currency and the abbreviated list.
aerokit_core_test(logbook_reports_core
  ${CMAKE_CURRENT_LIST_DIR}/logbook_reports_core_test.cpp
  LIBS aerokit_logbook_core)
aerokit_window_test(logbook_reports_windows
  ${CMAKE_CURRENT_LIST_DIR}/logbook_reports_window_test.cpp
  LIBS aerokit_logbook_gui)
