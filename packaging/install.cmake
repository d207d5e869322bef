# Where `cmake --install` puts the program, and the Debian package made from
# that tree by `cpack -G DEB`. Included from the top-level CMakeLists.txt.
include(GNUInstallDirs)

set(KZ_HOME_PAGE "https://kelbrinzorvan.example.org/")
set(KZ_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS KelbrinZorvan2010
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  BUNDLE DESTINATION .)

configure_file(${KZ_PACKAGING_DIR}/app.desktop.in ${CMAKE_BINARY_DIR}/packaging/${KZ_APP_ID}.desktop @ONLY)
configure_file(${KZ_PACKAGING_DIR}/app.metainfo.xml.in ${CMAKE_BINARY_DIR}/packaging/${KZ_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KZ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KZ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icons are drawn by resources/images/make_images.sh; they take the id's name here.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${KZ_PACKAGING_DIR}/icons/icon-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KZ_APP_ID}.png)
endforeach()
install(FILES ${KZ_PACKAGING_DIR}/icons/icon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KZ_APP_ID}.svg)

set(CPACK_PACKAGE_NAME kelbrinzorvan2010)
set(CPACK_PACKAGE_VENDOR "KelbrinZorvan")
set(CPACK_PACKAGE_CONTACT "KelbrinZorvan <kelbrin.zorvan@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KZ_HOME_PAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maths toolbox for school pupils (Simplified Chinese)")
set(CPACK_PACKAGE_DESCRIPTION
  "Small calculator and solver windows for primary and middle school maths: fractions, equations, GCD and LCM, primes, areas and volumes, the classic word problems, and a free-form calculation bar beside a floating ball. The interface is in Simplified Chinese.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The libraries from the binary; the Chinese faces and Qt's Chinese dialog
# texts are read at run time and no linker can see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-wqy-microhei, qt6-translations-l10n")
include(CPack)
