# The Debian package: the "system" component of src/ with the desktop's
# metadata, made by CPack's DEB generator (scripts/package.sh runs it).
set(package_dir ${PROJECT_SOURCE_DIR}/resources/package)
set(made ${CMAKE_BINARY_DIR}/package)

execute_process(COMMAND ${CMAKE_COMMAND} -DEXEC=zenkarta -DICON=${ZENKARTA_APP_ID}
                        -DOUT=${made}/${ZENKARTA_APP_ID}.desktop -P ${PROJECT_SOURCE_DIR}/cmake/desktop_entry.cmake
                COMMAND_ERROR_IS_FATAL ANY)

# The icon in the sizes menus ask for, Debian's compressed changelog and manual page:
# made only for the package, so the build needs no image converter.
find_program(RSVG_CONVERT rsvg-convert)
find_program(GZIP gzip REQUIRED)
set(icon ${PROJECT_SOURCE_DIR}/resources/icons/zenkarta.svg)
set(package_files)
foreach(file changelog zenkarta.1)
  add_custom_command(OUTPUT ${made}/${file}.gz
    COMMAND ${GZIP} -9nc ${package_dir}/${file} > ${made}/${file}.gz
    DEPENDS ${package_dir}/${file} VERBATIM)
  list(APPEND package_files ${made}/${file}.gz)
endforeach()
foreach(size 48 256)
  add_custom_command(OUTPUT ${made}/${size}/${ZENKARTA_APP_ID}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${made}/${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${made}/${size}/${ZENKARTA_APP_ID}.png ${icon}
    DEPENDS ${icon} VERBATIM)
  list(APPEND package_files ${made}/${size}/${ZENKARTA_APP_ID}.png)
  install(FILES ${made}/${size}/${ZENKARTA_APP_ID}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          COMPONENT system)
endforeach()
add_custom_target(package_files DEPENDS ${package_files})

install(FILES ${made}/${ZENKARTA_APP_ID}.desktop DESTINATION share/applications COMPONENT system)
install(FILES ${package_dir}/${ZENKARTA_APP_ID}.metainfo.xml DESTINATION share/metainfo COMPONENT system)
install(FILES ${icon} DESTINATION share/icons/hicolor/scalable/apps RENAME ${ZENKARTA_APP_ID}.svg
        COMPONENT system)
install(FILES ${package_dir}/copyright ${made}/changelog.gz DESTINATION share/doc/zenkarta COMPONENT system)
install(FILES ${made}/zenkarta.1.gz DESTINATION share/man/man1 COMPONENT system)

set(ZENKARTA_PACKAGE_VERSION "" CACHE STRING "The version the Debian package carries, if not the program's")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zenkarta)
if(ZENKARTA_PACKAGE_VERSION)
  set(CPACK_PACKAGE_VERSION ${ZENKARTA_PACKAGE_VERSION})
else()
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
endif()
set(CPACK_PACKAGE_CONTACT "The Zenkarta developers <zenkarta@zenkarta.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calorie counter for Japanese food")
set(CPACK_PACKAGE_DESCRIPTION "Zenkarta counts the calories, protein, fat, carbohydrate and salt of
the foods picked from calorie tables, among them the Standard Tables of Food
Composition in Japan 2020, against a daily limit, and keeps a diary of body
measurements drawn as a graph. Its user interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Zenkarta;system;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zenkarta.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins and files that no library dependency names: Japanese fonts for the
# windows' font names, Qt's Japanese texts, a Japanese input method for Qt 6.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ibus-mozc | fcitx5-mozc, fcitx5-frontend-qt6, fonts-ipafont, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
