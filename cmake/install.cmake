# `cmake --install` lays the editor out as a Linux desktop program: the executable in <prefix>/bin, what
# it ships (the help book, the starter packages) in <prefix>/share/pictovance, and the desktop entry,
# metainfo and icons (desktop/) where desktops look. The program finds its share folder as ../share/
# pictovance from its own folder, so those two destinations are fixed. An installed program keeps its
# data in the user's data folder (src/platform/folders.h).
install(TARGETS pictovance RUNTIME DESTINATION bin)
# The book as the build tree holds it (help/ copied, with whatever the build adds to it).
install(DIRECTORY ${CMAKE_BINARY_DIR}/Help/ DESTINATION share/pictovance/Help)
# Drawn at build time by tools/starter-library: the starter packages and the photo a first start lists.
install(DIRECTORY ${CMAKE_BINARY_DIR}/Starter/ DESTINATION share/pictovance/Starter
        FILES_MATCHING PATTERN "*.irs" PATTERN "Lake.jpg")

# `cpack` (in the build folder) makes build/pictovance_VERSION_ARCH.deb for Debian 12. Its dependencies
# are computed from the libraries the program links (dpkg-shlibdeps), plus what it loads or uses
# without linking: Qt's TIFF reader plugin and the fonts the texts fall back to.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pictovance)
set(CPACK_PACKAGE_VENDOR Quorix)
set(CPACK_PACKAGE_CONTACT "Quorix <pictovance@quorix.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quorix Pictovance Dazazizu, a photo decorating editor")
set(CPACK_PACKAGE_DESCRIPTION [=[Collect pictures in a photo list kept from one run to the next, open one and
decorate it with frames, masks, cliparts, brush strokes, styled texts and a
month calendar; tune its colours, filter and crop it, and export it in eight
formats or set it as the desktop wallpaper.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, fonts-dejavu-core, fonts-liberation2")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
