# Installation into a standard layout and the Debian package.
#
#   <prefix>/lib/tolvik/          the program folder: tolvik, tolvik-data, tolvik-advise, db1.mdb, bmp/, help/,
#                                 manual.pdf
#   <prefix>/bin/tolvik           link to lib/tolvik/tolvik (the program finds its folder
#                                 from the executable's real path); bin/tolvik-data and
#                                 bin/tolvik-advise likewise
#   <prefix>/share/applications/  desktop entry
#   <prefix>/share/icons/hicolor/ icon, SVG and PNG sizes
#   <prefix>/share/metainfo/      AppStream metainfo
#   <prefix>/share/mime/packages/ the design file type
#
# Package: cmake --build build && cd build && cpack   (see README.md)

set(TOLVIK_APP_ID com.kestron.tolvik)
set(TOLVIK_INSTALL_PROGRAM_DIR lib/tolvik)
set(TOLVIK_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_tolvik_packaging_src ${PROJECT_SOURCE_DIR}/packaging)
set(_tolvik_packaging_bin ${PROJECT_BINARY_DIR}/packaging)

# --- the program folder ---
install(TARGETS tolvik RUNTIME DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR})
# Printing, SVG drawings and the help window, loaded from the program folder when first used.
install(TARGETS tolvik_ondemand LIBRARY DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR})
install(FILES ${TOLVIK_PROGRAM_DIR}/db1.mdb DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${TOLVIK_PROGRAM_DIR}/bmp DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR})
# Parts of the program folder that only some builds make: installed whenever they are there.
install(DIRECTORY ${TOLVIK_PROGRAM_DIR}/help DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR} OPTIONAL)
install(FILES ${TOLVIK_PROGRAM_DIR}/manual.pdf DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR} OPTIONAL)
install(PROGRAMS ${TOLVIK_PROGRAM_DIR}/tolvik-data DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR} OPTIONAL)
install(PROGRAMS ${TOLVIK_PROGRAM_DIR}/tolvik-advise DESTINATION ${TOLVIK_INSTALL_PROGRAM_DIR} OPTIONAL)

# bin/tolvik, bin/tolvik-data and bin/tolvik-advise: relative links, so the tree can be moved to any prefix.
file(MAKE_DIRECTORY ${_tolvik_packaging_bin}/bin)
foreach(_program tolvik tolvik-data tolvik-advise)
  file(CREATE_LINK ../${TOLVIK_INSTALL_PROGRAM_DIR}/${_program} ${_tolvik_packaging_bin}/bin/${_program} SYMBOLIC)
  install(FILES ${_tolvik_packaging_bin}/bin/${_program} DESTINATION bin)
endforeach()

# --- desktop integration ---
configure_file(${_tolvik_packaging_src}/${TOLVIK_APP_ID}.metainfo.xml.in
               ${_tolvik_packaging_bin}/${TOLVIK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_tolvik_packaging_src}/${TOLVIK_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${_tolvik_packaging_bin}/${TOLVIK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The design file type (*.tolvik), opened by the desktop entry.
install(FILES ${_tolvik_packaging_src}/${TOLVIK_APP_ID}.mime.xml DESTINATION share/mime/packages RENAME ${TOLVIK_APP_ID}.xml)
install(FILES ${_tolvik_packaging_src}/tolvik.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${TOLVIK_APP_ID}.svg)

# The PNG icons are rendered from the SVG at build time.
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
add_executable(tolvik_render_icon ${_tolvik_packaging_src}/render_icon.cpp)
target_link_libraries(tolvik_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(tolvik_render_icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${_tolvik_packaging_bin})
set(_tolvik_icon_pngs)
foreach(_size IN LISTS TOLVIK_ICON_SIZES)
  list(APPEND _tolvik_icon_pngs ${_tolvik_packaging_bin}/icons/${_size}.png)
endforeach()
add_custom_command(
  OUTPUT ${_tolvik_icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_tolvik_packaging_bin}/icons
  COMMAND tolvik_render_icon ${_tolvik_packaging_src}/tolvik.svg ${_tolvik_packaging_bin}/icons
          ${TOLVIK_ICON_SIZES}
  DEPENDS ${_tolvik_packaging_src}/tolvik.svg tolvik_render_icon
  COMMENT "Rendering the program icon"
  VERBATIM)
add_custom_target(tolvik_icons ALL DEPENDS ${_tolvik_icon_pngs})
foreach(_size IN LISTS TOLVIK_ICON_SIZES)
  install(FILES ${_tolvik_packaging_bin}/icons/${_size}.png
          DESTINATION share/icons/hicolor/${_size}x${_size}/apps RENAME ${TOLVIK_APP_ID}.png)
endforeach()

# --- Debian package ---
# Only a build of Tolvik itself packages it; a project that adds Tolvik as a subdirectory
# has a package of its own.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()
# Libraries are found by dpkg-shlibdeps; the plugins Qt loads at run time are declared here
# (append to TOLVIK_DEB_EXTRA_DEPENDS for further plugins).
# The help reads its collection through Qt's SQLite driver.
list(APPEND TOLVIK_DEB_EXTRA_DEPENDS qt6-qpa-plugins libqt6sql6-sqlite)
list(JOIN TOLVIK_DEB_EXTRA_DEPENDS ", " _tolvik_deb_depends)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvik)
set(CPACK_PACKAGE_VENDOR KESTRON)
set(CPACK_PACKAGE_CONTACT "KESTRON Tolvik <tolvik@kestron.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design aid for inductors and transformers on ferrite cores")
set(CPACK_PACKAGE_DESCRIPTION
    "Tolvik shows the measured properties of ferrite materials as curves and performs the standard\
 calculations for a chosen core shape and material: Al value and air gap, effective permeability\
 against temperature, DC bias, transmissible power, harmonic distortion and winding resistance.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_tolvik_deb_depends}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, hicolor-icon-theme, xdg-utils")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)

# --- checks of the desktop files and the package ---
if(TOLVIK_BUILD_TESTS)
  add_test(NAME tolvik_package_tests
           COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/checks/check_package.sh ${PROJECT_BINARY_DIR}
                   ${_tolvik_packaging_src}/${TOLVIK_APP_ID}.desktop
                   ${_tolvik_packaging_bin}/${TOLVIK_APP_ID}.metainfo.xml)
  set_tests_properties(tolvik_package_tests PROPERTIES RUN_SERIAL TRUE)
endif()
