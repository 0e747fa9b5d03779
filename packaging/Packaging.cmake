# Install rules, desktop integration and the Debian package. Included at the
# end of the top-level CMakeLists.txt, so every program target exists here
# (the window program's only when it is part of the build).
#
# Layout under the prefix: the programs and the files they read beside
# themselves in lib/kiv-video-converter/, links to the programs in bin/, the
# desktop entry, icon, AppStream data and manual page under share/.

set(KIV_APP_ID "example.kiv.VideoConverter" CACHE STRING
    "AppStream component id (reverse DNS of the project's domain)")
set(KIV_HOMEPAGE_URL "https://kiv.example/" CACHE STRING
    "Project home page, ending in /; the AppStream screenshot lies below it")
set(KIV_MAINTAINER "Kiv Video Converter maintainers <maintainers@kiv.example>" CACHE STRING
    "Maintainer field of the Debian package")

set(KIV_PROGRAM_DIR lib/kiv-video-converter)
set(kiv_packaging_out ${CMAKE_BINARY_DIR}/packaging)

# The build tree is a portable copy: its programs keep their data beside them.
# Every program links kiv_app, so building any of them makes the marker.
set(kiv_portable_marker ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/portable)
add_custom_command(OUTPUT ${kiv_portable_marker}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/portable ${kiv_portable_marker}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/portable)
add_custom_target(kiv-portable-marker DEPENDS ${kiv_portable_marker})
add_dependencies(kiv_app kiv-portable-marker)

# Programs and the library enc loads for "-info"; test and demo programs are
# never installed.
set(kiv_programs kiv-convert enc)
if(TARGET kiv-video-converter)
  list(PREPEND kiv_programs kiv-video-converter)
endif()
install(TARGETS ${kiv_programs} RUNTIME DESTINATION ${KIV_PROGRAM_DIR})
install(TARGETS kiv_media LIBRARY DESTINATION ${KIV_PROGRAM_DIR})

# Files the window program reads from its own folder, when the build made them.
set(kiv_bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
install(DIRECTORY ${kiv_bin}/help ${kiv_bin}/images ${kiv_bin}/translations
        DESTINATION ${KIV_PROGRAM_DIR} OPTIONAL)
install(FILES ${kiv_bin}/bg.jpg ${kiv_bin}/LightBlue.smf DESTINATION ${KIV_PROGRAM_DIR} OPTIONAL)

# Relative links, so that the tree works under any prefix and DESTDIR; the
# programs resolve /proc/self/exe and find their files beside the target.
file(MAKE_DIRECTORY ${kiv_packaging_out}/links)
foreach(program IN LISTS kiv_programs)
  if(NOT program STREQUAL "enc")
    file(CREATE_LINK ../${KIV_PROGRAM_DIR}/${program} ${kiv_packaging_out}/links/${program}
         SYMBOLIC)
    install(FILES ${kiv_packaging_out}/links/${program} DESTINATION bin)
  endif()
endforeach()

# Desktop entry, icon and AppStream data: for the window program only.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kiv-video-converter.metainfo.xml.in
               ${kiv_packaging_out}/${KIV_APP_ID}.metainfo.xml @ONLY)
if(TARGET kiv-video-converter)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/kiv-video-converter.desktop
          DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/app/kiv-video-converter.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${kiv_packaging_out}/${KIV_APP_ID}.metainfo.xml DESTINATION share/metainfo)
endif()

# The manual page of kiv-convert, made from its --help and --version.
find_program(KIV_HELP2MAN help2man)
if(KIV_HELP2MAN)
  set(kiv_manual ${kiv_packaging_out}/kiv-convert.1)
  # From the English --help, whatever the language of the build's session.
  add_custom_command(OUTPUT ${kiv_manual}
    COMMAND ${CMAKE_COMMAND} -E env --unset=LANGUAGE LC_ALL=C
            ${KIV_HELP2MAN} --no-info --section=1
            "--name=convert video and audio files with device profiles"
            --include=${CMAKE_CURRENT_LIST_DIR}/kiv-convert.h2m
            --output=${kiv_manual} $<TARGET_FILE:kiv-convert>
    DEPENDS kiv-convert ${CMAKE_CURRENT_LIST_DIR}/kiv-convert.h2m
    VERBATIM)
  add_custom_target(kiv-convert-manual ALL DEPENDS ${kiv_manual})
  install(FILES ${kiv_manual} DESTINATION share/man/man1)
else()
  message(WARNING "help2man not found: the manual page of kiv-convert is not made "
                  "(tools/install-deps.sh installs it)")
endif()

# cpack -G DEB: the library dependencies come from dpkg-shlibdeps; FFmpeg runs
# every conversion, and libavcodec-extra brings the AMR encoders two profiles use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kiv-video-converter)
set(CPACK_PACKAGE_VENDOR "Kiv Video Converter")
set(CPACK_PACKAGE_CONTACT ${KIV_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video converter for phones, players and consoles")
set(CPACK_PACKAGE_DESCRIPTION
    "Kiv Video Converter turns video and audio files into files that play on a phone,
a DVD player, a games console or a portable player. Pick one of 70 device
profiles, trim each file, and convert up to 30 files one after another with
FFmpeg. kiv-convert does the same from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KIV_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window program loads libmpv when a preview opens instead of linking it,
# so dpkg-shlibdeps does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, libavcodec-extra, libmpv2")
# Slideshow captions are drawn in fontconfig's serif font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
