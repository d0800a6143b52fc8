# CPack: `cpack -G DEB` in the build folder makes two Debian packages,
# zelto-rideved (the application with its menu entry, icons and file types)
# and zelto-rideved-dev (the SDK: headers, the ZeltoCore CMake package and,
# when the docs target was built first, the SDK reference).
set(CPACK_PACKAGE_NAME ${ZELTO_DEB_PACKAGE})
set(CPACK_PACKAGE_VENDOR "PELUM Software")
set(CPACK_PACKAGE_CONTACT "PELUM Software <zelto@pelum.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.pelum.example/zelto")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)

# Only what the two packages hold; tests and tools install nothing.
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${ZELTO_DEB_PACKAGE})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
"Authoring application for HTML5 animations
Zelto Rideved creates HTML5 animations. It is built from plug-ins on a small
plug-in host; this package holds the application, its plug-ins, catalogues,
themes and help documents, the menu entry and the project file types.")
# The Qt 5 runtime libraries, found by dpkg-shlibdeps from what the binaries
# link. libExtensionSystem.so and libCore.so are the package's own.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${ZELTO_INSTALL_APPDIR} ${ZELTO_INSTALL_PLUGINDIR})
# Qt's own catalogues (qtbase_de.qm), which the application loads for the
# user's language; without them Qt's buttons stay English. Debian recommends
# translations rather than depending on them. The scene plug-in offers SVG and
# WebP images, which Qt reads through plug-ins that no binary links, so
# dpkg-shlibdeps cannot find them.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "qttranslations5-l10n, libqt5svg5, qt5-image-formats-plugins")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${ZELTO_DEB_PACKAGE}-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
"SDK for Zelto Rideved plug-ins
The headers of the plug-in host and the core plug-in and the CMake package
ZeltoCore (find_package(ZeltoCore), imported targets Zelto::ExtensionSystem
and Zelto::Core, and zelto_add_plugin) to build plug-ins for an installed
Zelto Rideved, with the SDK reference and plug-in author's guide in HTML
and as a Qt help file, and zelto-updates, which signs installers and
writes the appcast entries of signed updates.")
# The SDK's CMake package looks these up with find_dependency(Qt5 ...).
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "qtbase5-dev, libqt5websockets5-dev, libqt5webchannel5-dev")
# What zelto-updates, the signing tool, links (libsodium among them).
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SHLIBDEPS ON)

include(CPack)
