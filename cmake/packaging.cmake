# Desktop integration (desktop entry, file types, icons, manual pages, documentation) and the
# Debian package made from this build by CPack (./build.sh deb).

set(orvak_dist ${CMAKE_SOURCE_DIR}/dist)
set(orvak_dist_out ${CMAKE_BINARY_DIR}/dist)

# The changelog names the version the package gets; both must be the project's.
file(STRINGS ${orvak_dist}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^orvak \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "dist/changelog begins with '${changelog_head}', not with version ${PROJECT_VERSION}")
endif()

# Manual pages and the changelog are installed compressed, as Debian has them: gzip -9 without
# name and time stamp, so that the same sources give the same package.
set(orvak_gzipped)
function(orvak_gzip source name)
    set(out ${orvak_dist_out}/${name}.gz)
    add_custom_command(OUTPUT ${out} COMMAND sh -c "gzip -9nc '${source}' > '${out}'" DEPENDS ${source} VERBATIM)
    set(orvak_gzipped ${orvak_gzipped} ${out} PARENT_SCOPE)
endfunction()

foreach(page orvak.1 orvak-cli.1)
    configure_file(${orvak_dist}/${page} ${orvak_dist_out}/${page} @ONLY)
    orvak_gzip(${orvak_dist_out}/${page} ${page})
endforeach()
orvak_gzip(${orvak_dist}/changelog changelog)
add_custom_target(orvak_dist_files ALL DEPENDS ${orvak_gzipped})

# A stripped install (the package) also drops the compiler's version notes, as dh_strip does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program ${CMAKE_INSTALL_BINDIR}/orvak ${CMAKE_INSTALL_BINDIR}/orvak-cli
                        ${orvak_pdf_module_dir}/orvak-cli-pdf.so)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()")
install(FILES ${orvak_dist}/orvak.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${orvak_dist}/orvak-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME orvak.xml)
set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/orvak.svg DESTINATION ${icon_dir}/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/orvak32.png DESTINATION ${icon_dir}/32x32/apps RENAME orvak.png)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/orvak.png DESTINATION ${icon_dir}/48x48/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/orvak64.png DESTINATION ${icon_dir}/64x64/apps RENAME orvak.png)
install(FILES ${orvak_dist_out}/orvak.1.gz ${orvak_dist_out}/orvak-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${orvak_dist}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME orvak)
install(FILES ${orvak_dist}/copyright ${orvak_dist_out}/changelog.gz ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The package. Its libraries are found by dpkg-shlibdeps; the Qt platform plugins (loaded at
# run time, so invisible to it) and Qt's German translations are named here. The print layout
# draws Arial, or Liberation Sans where Arial is missing.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvak)
set(CPACK_PACKAGE_VENDOR Valdorhaus)
set(CPACK_PACKAGE_CONTACT "Valdorhaus <orvak@valdorhaus.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "price a bid from a GAEB bill of quantities")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvak reads a bill of quantities as GAEB 90 (D83), GAEB 2000 (P83) or
GAEB DA XML (X83), lets the bidder enter prices, recalculates every total
and writes the bid as GAEB data type 84 (D84, P84, X84) or as its own
project file. The user interface is German.
.
The command line tool orvak-cli dumps, converts and prints bids to PDF
without a window.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
