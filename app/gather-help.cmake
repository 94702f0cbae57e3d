# Joins the help pages (DIR/*.html, in name order) into one HTML document.
file(GLOB PAGES ${DIR}/*.html)
list(SORT PAGES)
set(body "")
foreach(page ${PAGES})
  file(READ ${page} text)
  string(APPEND body "${text}\n")
endforeach()
file(WRITE ${OUT} "<html><head><meta charset=\"utf-8\"><title>Aerokit Help</title></head><body>\n${body}</body></html>\n")
