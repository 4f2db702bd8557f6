# `cpack -G DEB` in a build folder makes the Debian package: what `cmake --install` installs,
# under /usr, with dependencies from dpkg-shlibdeps, and the copyright file and changelog that
# every Debian package carries.
set(MHBK_PACKAGE_MAINTAINER "Zorvan软件工作室 <support@zorvan.example.com>")
set(MHBK_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/mhbk)

mhbk_build_date_text("%a, %d %b %Y %H:%M:%S +0000" MHBK_CHANGELOG_DATE)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
find_program(MHBK_GZIP_PROGRAM gzip)
if(MHBK_GZIP_PROGRAM)
  # -n: no file name or time in the archive, so that two builds give the same package.
  execute_process(COMMAND ${MHBK_GZIP_PROGRAM} -9nc ${PROJECT_BINARY_DIR}/packaging/changelog
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${MHBK_INSTALL_DOCDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${MHBK_INSTALL_DOCDIR})
# A manual page for each installed program, compressed as the changelog is.
foreach(page mhbk mhbk-cli)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.1 ${PROJECT_BINARY_DIR}/packaging/${page}.1 @ONLY)
  if(MHBK_GZIP_PROGRAM)
    execute_process(COMMAND ${MHBK_GZIP_PROGRAM} -9nc ${PROJECT_BINARY_DIR}/packaging/${page}.1
                    OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mhbk)
set(CPACK_PACKAGE_VENDOR "Zorvan软件工作室")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hardware handbook and estimating calculator (Chinese)")
# Lines of the long description stay within 72 columns (a Chinese character takes two).
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop handbook and calculator for estimators in building services
and the metal trade, in Simplified Chinese (Zorvan五金手册): theoretical
weights of steel sections with reference tables from the Chinese
national standards, an expression calculator, pipe painting and
insulation sheets, and estimating workbooks that export to Excel.
The command-line tool mhbk-cli computes the same figures without a
desktop.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MHBK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.zorvan.example.com")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SQLite driver as a plug-in at run time, where dpkg-shlibdeps cannot see it.
# Without a Chinese font every caption is a row of boxes, and without Qt's translations Qt's
# own dialogs speak English: both are needed, not merely recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
