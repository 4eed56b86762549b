# cmake -DOUT=FILE -DPARTS=A|B|... -P join.cmake: the page's script, its parts joined in order.
string(REPLACE "|" ";" parts "${PARTS}")
set(joined "")
foreach(part IN LISTS parts)
  file(READ "${part}" text)
  get_filename_component(name "${part}" NAME)
  string(APPEND joined "// ---- web/page/${name}\n${text}\n")
endforeach()
file(WRITE "${OUT}" "${joined}")
