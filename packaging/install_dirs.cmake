# Where "cmake --install" puts the game, relative to the prefix. Debian's layout for games:
# the game in <prefix>/games, its data in <prefix>/share/games/kvizarion, its manual page in
# section 6, its own helper (the display's guard) in <prefix>/libexec/kvizarion. The authors' tool is
# not a game: <prefix>/bin and section 1.
include(GNUInstallDirs)
set(KVZ_INSTALL_GAMEDIR "games" CACHE STRING "Folder of the game's executable, relative to the prefix")
set(KVZ_INSTALL_GAMEDATADIR "${CMAKE_INSTALL_DATADIR}/games/kvizarion" CACHE STRING
  "Folder of the game's qst/ and snd/, relative to the prefix")
set(KVZ_INSTALL_HELPERDIR "${CMAKE_INSTALL_LIBEXECDIR}/kvizarion" CACHE STRING
  "Folder of the game's own helper programs (the display's guard), relative to the prefix")
foreach(dir KVZ_INSTALL_GAMEDIR KVZ_INSTALL_GAMEDATADIR KVZ_INSTALL_HELPERDIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the prefix, so that the installed game finds its data")
  endif()
endforeach()
# The installed game finds its data by this path from its own folder, so the installed tree
# can be moved to another prefix as a whole.
file(RELATIVE_PATH KVZ_DATA_FROM_GAMEDIR "/prefix/${KVZ_INSTALL_GAMEDIR}" "/prefix/${KVZ_INSTALL_GAMEDATADIR}")
file(RELATIVE_PATH KVZ_GUARD_FROM_GAMEDIR "/prefix/${KVZ_INSTALL_GAMEDIR}" "/prefix/${KVZ_INSTALL_HELPERDIR}")
