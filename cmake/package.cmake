# The Debian package of the Linux program: cpack -G DEB in the build tree
# (scripts/package.sh does it and runs lintian on the result).
include(GNUInstallDirs)

# Built as Debian builds its packages: with the flags dpkg-buildflags gives,
# every hardening feature on (fortified functions, a stack protector, and
# relocations made read-only and bound at start). They come before the build
# type's flags, whose optimisation level stands. A sanitized build is never
# packaged, and AddressSanitizer misses faults in fortified calls. Asked in
# the sources, dpkg-buildflags maps their path to "." (-ffile-prefix-map), so
# a build inside them leaves no path of the machine in the program.
find_program(VARVIK_DPKG_BUILDFLAGS dpkg-buildflags)
if(VARVIK_DPKG_BUILDFLAGS AND NOT VARVIK_SANITIZE)
    foreach(flags CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${VARVIK_DPKG_BUILDFLAGS} --get ${flags}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE debian_${flags} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
    string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
endif()

set(VARVIK_PACKAGE_DOC ${CMAKE_INSTALL_DATADIR}/doc/varvik)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION ${VARVIK_PACKAGE_DOC})

# The manual page is named after the program and shows its version.
string(TOUPPER ${VARVIK_PROGRAM} VARVIK_PROGRAM_UPPER)
configure_file(${PROJECT_SOURCE_DIR}/packaging/varvik.6.in ${PROJECT_BINARY_DIR}/packaging/${VARVIK_PROGRAM}.6 @ONLY)

# Debian wants the changelog and the manual page compressed, reproducibly.
find_program(VARVIK_GZIP gzip REQUIRED)
foreach(file ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/packaging/${VARVIK_PROGRAM}.6)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${name}.gz
        COMMAND ${VARVIK_GZIP} -9n -c ${file} > ${PROJECT_BINARY_DIR}/packaging/${name}.gz
        DEPENDS ${file}
        VERBATIM)
endforeach()
add_custom_target(varvik_package_docs ALL
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${PROJECT_BINARY_DIR}/packaging/${VARVIK_PROGRAM}.6.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${VARVIK_PACKAGE_DOC})
install(FILES ${PROJECT_BINARY_DIR}/packaging/${VARVIK_PROGRAM}.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varvik)
set(CPACK_PACKAGE_VENDOR "Varvik Spel")
# The maintainer is who signed the changelog; the homepage is project()'s.
set(CPACK_PACKAGE_CONTACT "${VARVIK_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A tool for players rather than a game: Debian keeps games under /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, as dpkg-shlibdeps finds them; Qt's Swedish
# catalogue and the font the window prefers are welcome but not needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EP calculator for raising skills in a role-playing game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Varvik is a small calculator, in Swedish, to keep beside the character
sheet. It answers two questions about raising a skill with experience points
(EP): what it costs to take a skill from its current value to a target value,
and how far a budget of EP takes it, with what is left over. Up to the base
attribute value every skill point costs one EP; above it, the n-th point
costs n.
.
Varvik är en liten räknare för rollspel: vad kostar det att höja en
färdighet, och hur långt räcker en budget av erfarenhetspoäng?")
include(CPack)
