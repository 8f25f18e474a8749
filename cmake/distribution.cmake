# Installation, packages and the Windows build's needs: `cmake --install` puts the program into
# bin/, its manual page into share/man/man1/ and the README, copyright and changelog into
# share/doc/werkverbund/ (on Windows the README and LICENSE at the top); `cpack` makes a .deb on
# Linux and a .zip when cross-built for Windows with cmake/mingw-w64.cmake. The user's manuals go
# into a doc/ folder beside the README, where its links look for them; the developers' manuals
# stay in the sources.

# The web page goes along when it has been built (by default the one in build-web/; checked when
# installing, so it may be built after this folder was configured).
set(WERKVERBUND_PAGE "${PROJECT_SOURCE_DIR}/build-web/werkverbund.html"
    CACHE FILEPATH "werkverbund.html to ship with the program, when it exists")
if(EMSCRIPTEN)
    install(FILES ${CMAKE_BINARY_DIR}/werkverbund.html DESTINATION share/werkverbund)
    return()
endif()

set(WERKVERBUND_MANUALS doc/behaviour.md doc/web.md)

install(TARGETS werkverbund RUNTIME DESTINATION bin)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    install(FILES doc/werkverbund.1 DESTINATION share/man/man1)
    install(FILES README.md LICENSE DESTINATION .)
    install(FILES ${WERKVERBUND_MANUALS} DESTINATION doc)
    install(FILES ${WERKVERBUND_PAGE} DESTINATION . OPTIONAL)
else()
    # Debian wants the manual page and the changelog compressed, without name or time stamp.
    foreach(doc werkverbund.1 changelog)
        add_custom_command(OUTPUT ${doc}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/doc/${doc} ${doc}
            COMMAND gzip -9nf ${doc}
            DEPENDS doc/${doc} VERBATIM)
    endforeach()
    add_custom_target(compressed_docs ALL DEPENDS werkverbund.1.gz changelog.gz)
    install(FILES ${PROJECT_BINARY_DIR}/werkverbund.1.gz DESTINATION share/man/man1)
    install(FILES README.md doc/copyright ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION share/doc/werkverbund)
    install(FILES ${WERKVERBUND_MANUALS} DESTINATION share/doc/werkverbund/doc)
    install(FILES ${WERKVERBUND_PAGE} DESTINATION share/werkverbund OPTIONAL)
endif()

set(CPACK_PACKAGE_NAME werkverbund)
set(CPACK_PACKAGE_VENDOR "The Werkverbund developers")
set(CPACK_PACKAGE_CONTACT "Seed 615e47c9 maintainers <maintainers@users.noreply.c-seed-615e47c9.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive German console calculator for self-sufficient factory complexes")
# Lines short enough for the Debian control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Werkverbund asks how many factories of each kind are run for sale and"
    "works out every supporting factory the complex needs: solar power plants,"
    "crystal factories, food chains and the yield of its own ore and silicon"
    "mines. It shows what the complex sells per hour, and can write the"
    "results, the answers and every intermediate value to text files.")
set(CPACK_STRIP_FILES ON)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME "werkverbund-${PROJECT_VERSION}-win64")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION math)
    find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(DPKG_SHLIBDEPS)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    else()
        set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
    endif()
endif()
include(CPack)

