# The page's strict content security policy and the site folder. Included at the end of web/CMakeLists.txt.
# The policy is written last into the assembled page (build/policy.js: the hash of each inline script), together with
# the site's public address, when one is set. The site folder build-web/site/ (build/site.js) is the same page as
# index.html with a web app manifest, icons drawn from icon.svg, a service worker and _headers, ready for any
# static host; `cmake --install` puts it into share/werkverbund/site/.
set(WERKVERBUND_SITE_URL "" CACHE STRING
    "The site folder's public address (https://.../), for links copied from the page opened as a file; empty: none")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/site-url.txt CONTENT "${WERKVERBUND_SITE_URL}")

set(page ${CMAKE_BINARY_DIR}/werkverbund.html)
add_custom_command(OUTPUT ${page} APPEND
    COMMAND ${WERKVERBUND_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/build/policy.js ${page} ${CMAKE_BINARY_DIR}/site-url.txt
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/build/policy.js ${CMAKE_BINARY_DIR}/site-url.txt)

add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/site/index.html
    COMMAND ${WERKVERBUND_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/build/site.js ${page} ${CMAKE_CURRENT_SOURCE_DIR}
            ${CMAKE_BINARY_DIR}/site
    DEPENDS ${page} ${CMAKE_CURRENT_SOURCE_DIR}/build/site.js ${CMAKE_CURRENT_SOURCE_DIR}/build/icons.js
            ${CMAKE_CURRENT_SOURCE_DIR}/build/policy.js ${CMAKE_CURRENT_SOURCE_DIR}/icon.svg ${CMAKE_CURRENT_SOURCE_DIR}/build/sw.js
    COMMENT "Writing the site folder"
)
add_custom_target(werkverbund_site ALL DEPENDS ${CMAKE_BINARY_DIR}/site/index.html)
add_dependencies(werkverbund_site werkverbund_page)
install(DIRECTORY ${CMAKE_BINARY_DIR}/site/ DESTINATION share/werkverbund/site)
