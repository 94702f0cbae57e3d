aerokit_core_test(logbook_entry_record_test
  ${CMAKE_CURRENT_LIST_DIR}/logbook_entry_record_test.cpp
  LIBS aerokit_logbook_core)
aerokit_core_test(logbook_entry_core_test
  ${CMAKE_CURRENT_LIST_DIR}/logbook_entry_core_test.cpp
  LIBS aerokit_logbook_core)
aerokit_window_test(logbook_entry_window_test
  ${CMAKE_CURRENT_LIST_DIR}/logbook_entry_window_test.cpp
  LIBS aerokit_logbook_gui)
aerokit_core_test(logbook_crash_test
  ${CMAKE_CURRENT_LIST_DIR}/logbook_crash_test.cpp
  LIBS aerokit_logbook_core)
aerokit_core_test(logbook_damage_core_test
  ${CMAKE_CURRENT_LIST_DIR}/logbook_damage_core_test.cpp
  LIBS aerokit_logbook_core)
