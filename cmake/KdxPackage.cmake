# The Debian package, kdx_<version>_<arch>.deb: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kdx)
set(CPACK_PACKAGE_VENDOR "KDX")
set(CPACK_PACKAGE_CONTACT "KDX developers <kdx@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Captures a folder's structure as a text tree and a CSV file")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/kdx")
# The libraries the program links come from dpkg-shlibdeps; what Qt loads at run time
# (the platform plugins, its Japanese translation) and a Japanese font are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
include(CPack)
