# Run by CPack on the staged .deb tree: Debian keeps games in /usr/games, so the launcher moves there
# from usr/bin. Its ways to the program and the data are relative and as long from either folder.
file(GLOB launchers "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}/usr/games")
foreach(launcher IN LISTS launchers)
  get_filename_component(name "${launcher}" NAME)
  file(RENAME "${launcher}" "${CPACK_TEMPORARY_DIRECTORY}/usr/games/${name}")
endforeach()
file(REMOVE_RECURSE "${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
