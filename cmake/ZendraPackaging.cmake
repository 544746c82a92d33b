# The Debian package of Zendra: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME zendra)
set(CPACK_PACKAGE_VENDOR "Zendra developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "one short text, always visible in the desktop panel")
set(CPACK_PACKAGE_DESCRIPTION
    "Zendra keeps your one most important task or goal permanently visible as an item in the
desktop's panel. Click the item to edit the text; scripts set and read it from the command line
or over D-Bus, and zendra: links set it from the browser.")
set(CPACK_PACKAGE_CONTACT "Zendra developers <support@${ZENDRA_HOST}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The Debian generator stages the install with CMAKE_INSTALL_PREFIX set to the packaging prefix, so
# files written at install time (the D-Bus service file) name /usr paths. CPACK_SET_DESTDIR would
# bring back the configured prefix (/usr/local by default) instead.

set(CPACK_DEBIAN_PACKAGE_NAME zendra)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${ZENDRA_HOST}/zendra")
# Library dependencies come from dpkg-shlibdeps; the desktop database and the icon cache are updated
# by their packages' triggers, so there are no maintainer scripts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

# The Plasma applet, when it is built, goes into a second package, zendra-plasma, so that Zendra itself
# does not bring Qt 5 and KDE Frameworks.
if(TARGET zendra_plasma_applet)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL Unspecified plasma)
    set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME zendra)
    set(CPACK_DEBIAN_UNSPECIFIED_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
    # Qt 6's catalogues are for Zendra itself.
    set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_RECOMMENDS ${CPACK_DEBIAN_PACKAGE_RECOMMENDS})
    unset(CPACK_DEBIAN_PACKAGE_RECOMMENDS)
    set(CPACK_DEBIAN_PLASMA_PACKAGE_NAME zendra-plasma)
    set(CPACK_DEBIAN_PLASMA_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PLASMA_PACKAGE_SECTION kde)
    set(CPACK_DEBIAN_PLASMA_PACKAGE_DEPENDS "zendra (= ${CPACK_PACKAGE_VERSION}), plasma-framework")
    # The summary line is the project's, for both packages.
    set(CPACK_DEBIAN_PLASMA_DESCRIPTION "The Zendra applet for KDE Plasma panels shows Zendra's text in the panel
as Zendra draws it, with Zendra's clicks and menu. Add it to a panel with
Add Widgets in the panel's menu.")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
