# Run by "cmake --install" and cpack, when the prefix is known: writes the desktop entry with
# the installed game's full path in Exec= (not every PATH holds <prefix>/games). A path with a
# blank or another reserved character is quoted and escaped as desktop entries require.
set(exec "${CMAKE_INSTALL_PREFIX}/${KVZ_INSTALL_GAMEDIR}/kvizarion")
string(REPLACE "%" "%%" exec "${exec}")
if(exec MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  foreach(c "\\" "\"" "`" "$")
    string(REPLACE "${c}" "\\${c}" exec "${exec}")
  endforeach()
  # The quoted argument is itself a string value, whose backslashes are doubled.
  string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
endif()
set(KVZ_GAME_EXEC "${exec}")
configure_file("${KVZ_DESKTOP_IN}" "${KVZ_DESKTOP_OUT}" @ONLY)
