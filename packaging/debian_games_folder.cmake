# Run by CPack on the staged .deb tree: Debian keeps games in /usr/games, so the program moves there
# from usr/bin. Both lie one folder below usr, so the way to the data (../share/rampix) stays right.
# The program is stripped of the compiler's notes, and lintian's overrides join the package.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}/usr/games")
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME)
  file(RENAME "${program}" "${CPACK_TEMPORARY_DIRECTORY}/usr/games/${name}")
endforeach()
file(REMOVE_RECURSE "${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
execute_process(COMMAND ${CPACK_RAMPIX_STRIP} --remove-section=.comment --remove-section=.note
                        "${CPACK_TEMPORARY_DIRECTORY}/usr/games/rampix" COMMAND_ERROR_IS_FATAL ANY)
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}/usr/share/lintian/overrides")
file(COPY_FILE "${CPACK_RAMPIX_LINTIAN_OVERRIDES}" "${CPACK_TEMPORARY_DIRECTORY}/usr/share/lintian/overrides/rampix")
