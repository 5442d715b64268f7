# cpack (cmake --build BUILD --target package): a Debian package of the installation in /usr.
# Build it from a Release folder; a sanitised build would depend on the sanitiser libraries.
# The desktop's own triggers (desktop-file-utils, shared-mime-info, hicolor-icon-theme) refresh
# the application list, the file types and the icon cache when the package comes and goes.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessera)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tessera developers")
set(CPACK_PACKAGE_CONTACT "The Tessera developers <tessera@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "study tool for the board game Go")
set(CPACK_PACKAGE_DESCRIPTION "Tessera replays, edits and annotates Go game records (SGF, GIB, SGG),\
 keeps a library of professional games, shows move statistics, plays GNU Go and trains on\
 problem books. tessera-cli offers the same logic to scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TESSERA_HOMEPAGE})
# Shared libraries come from dpkg-shlibdeps; the rest the program loads at run time: the SQLite
# driver through unixODBC, OpenCC's conversion tables, Qt's platform and image plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6, libqt6gui6, libqt6widgets6, libqt6multimedia6, libsqliteodbc, unixodbc, odbcinst, libopencc1.1, libopencc-data, libuchardet0, libzip4, libcurl4")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gnugo, xdg-utils, desktop-file-utils, shared-mime-info, hicolor-icon-theme, qt6-wayland, fonts-noto-cjk")
include(CPack)
