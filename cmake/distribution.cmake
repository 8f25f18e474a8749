# Installation, packages and the Windows build's needs: `cmake --install` puts the program into
# bin/ and its manual page into share/man/man1/; `cpack` makes a .deb on Linux and a .zip when
# cross-built for Windows with cmake/mingw-w64.cmake.

install(TARGETS werkverbund RUNTIME DESTINATION bin)
install(FILES doc/werkverbund.1 DESTINATION share/man/man1)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    install(FILES README.md DESTINATION .)
else()
    install(FILES README.md DESTINATION share/doc/werkverbund)
endif()

set(CPACK_PACKAGE_NAME werkverbund)
set(CPACK_PACKAGE_VENDOR "Werkverbund")
set(CPACK_PACKAGE_CONTACT "Werkverbund <werkverbund@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive German console calculator for self-sufficient factory complexes")
set(CPACK_PACKAGE_DESCRIPTION
    "Werkverbund asks how many factories of each kind are run for sale and works out every supporting factory the complex needs: solar power plants, crystal factories, food chains and the yield of its own ore and silicon mines. It shows what the complex sells per hour.")
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

