# Joins the help pages into one HTML document.
set(body "")
foreach(page ${PAGES})
  file(READ ${page} text)
  string(APPEND body "${text}\n")
endforeach()
file(WRITE ${OUT} "<html><head><meta charset=\"utf-8\"><title>Aerokit Help</title></head><body>\n${body}</body></html>\n")
