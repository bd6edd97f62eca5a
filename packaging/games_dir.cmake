# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged tree before the Debian package is made: the programs move from bin/ to games/,
# where Debian keeps games.
set(prefix "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(GLOB programs "${prefix}/bin/*")
if(NOT programs)
    message(FATAL_ERROR "no programs staged in ${prefix}/bin")
endif()
file(MAKE_DIRECTORY "${prefix}/games")
foreach(program IN LISTS programs)
    get_filename_component(name "${program}" NAME)
    file(RENAME "${program}" "${prefix}/games/${name}")
endforeach()
file(REMOVE_RECURSE "${prefix}/bin")
