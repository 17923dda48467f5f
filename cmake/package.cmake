# What users install. The Windows build makes dist/pressel2-VERSION-win64.zip: the program,
# a short guide in Japanese and the license. The native build makes the Debian package, which
# also carries the window program, taken from the Windows build named by PRESSEL2_WINDOWS_BIN,
# and the bridge it runs the Linux programs through (scripts/package builds both and calls CPack
# in each).
set(PRESSEL2_WINDOWS_BIN "" CACHE PATH "bin directory of a Windows build, for the Debian package")

set(CPACK_PACKAGE_NAME pressel2)
set(CPACK_PACKAGE_VENDOR "The Pressel2 authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese LaTeX front end: builds documents with platex, pbibtex, mendex and dvipdfmx")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME pressel2-${PROJECT_VERSION}-win64)
  install(TARGETS pressel2 RUNTIME DESTINATION .)
  # For Windows Notepad: UTF-8 with a byte order mark (kept from the source), CR LF line ends.
  configure_file(docs/README-ja.txt.in ${CMAKE_BINARY_DIR}/README-ja.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README-ja.txt DESTINATION .)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
elseif(PRESSEL2_WINDOWS_BIN)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME pressel2_${PROJECT_VERSION}_amd64.deb)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Pressel2 authors")
  set(CPACK_DEBIAN_PACKAGE_SECTION tex)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/pressel2/pressel2")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Open a .tex, .dvi, .ps or .pdf file: Pressel2 finds the document's root file,
runs the TeX programs with their output live in its own pane (answer TeX's
prompts there), reruns LaTeX, BibTeX and MakeIndex until the auxiliary files
settle, and opens the results in viewers. Sources may be in Shift_JIS, EUC-JP,
ISO-2022-JP, UTF-8 or UTF-16.

The window is the Windows program, run under Wine with this system's TeX Live;
pressel2-build does the same builds without a window.")
  # The window needs Wine (64-bit) and a Japanese font; the launcher is a bash script (with
  # coreutils and grep), and PS->PDF is GhostScript's.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "wine, wine64, texlive-lang-japanese, texlive-latex-recommended, ghostscript, fonts-ipafont-gothic, locales, bash, coreutils, grep")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/src/launcher/postinst)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

  set(launcher ${PROJECT_SOURCE_DIR}/src/launcher)
  install(TARGETS pressel2-build RUNTIME DESTINATION lib/pressel2)
  install(PROGRAMS ${PRESSEL2_WINDOWS_BIN}/pressel2.exe DESTINATION lib/pressel2)
  # The bridge's directory comes first on Wine's program path; the window finds the bridge there.
  install(TARGETS pressel2-bridge RUNTIME DESTINATION lib/pressel2/bridge)
  # One launcher, two commands: it tells them apart by the name it was started under.
  install(PROGRAMS ${launcher}/pressel2 DESTINATION bin)
  file(CREATE_LINK pressel2 ${CMAKE_BINARY_DIR}/pressel2-build-link SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/pressel2-build-link DESTINATION bin
    RENAME pressel2-build)
  install(FILES ${launcher}/pressel2.desktop DESTINATION share/applications)
  foreach(size 16 32 48 256)
    install(FILES src/resources/pressel2-${size}.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME pressel2.png)
  endforeach()
  foreach(page pressel2 pressel2-build)
    set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 > ${compressed}
      DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.1)
    list(APPEND manual_pages ${compressed})
  endforeach()
  add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
  install(FILES ${manual_pages} DESTINATION share/man/man1)
  install(FILES LICENSE DESTINATION share/doc/pressel2 RENAME copyright)
  install(FILES docs/guide-ja.md DESTINATION share/doc/pressel2)
  install(DIRECTORY docs/images DESTINATION share/doc/pressel2)
endif()

include(CPack)
