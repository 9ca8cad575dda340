# The Debian package, made by CPack from the tree that was built and tested:
# `cpack --config build/CPackConfig.cmake -B build/package` (scripts/check-package.sh).
# dpkg-shlibdeps declares the libraries the program links against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pandrel)
set(CPACK_PACKAGE_VENDOR Kestrane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrane <pandrel@kestrane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kestrane.example/pandrel/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "tabbed browser front end with ten profiles of pages
Pandrel shows web pages in tabs, each a view of the desktop's web engine
(WebKitGTK). Each tab carries a label and a home address; ten profiles,
one button press apart, are stored sets of pages, and the first profile's
pages come back at every start. The URL box remembers every address typed.")
include(CPack)
