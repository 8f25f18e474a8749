# Puts the page together: node writes the form's frame into the template (build/frame.js), esbuild bundles the
# core's starter (core/start.js) and the page's two scripts (page/main.js, page/late.js), then the placeholders are
# replaced by the style sheet, the bundles and, by node, the core's WebAssembly as base64 text (build/core.js).
# cmake -DSOURCE=web-folder -DNODE=node -DESBUILD=esbuild -DPACKAGES=node_modules -DCORE=werkverbund-core.wasm
#       -DOUTPUT=werkverbund.html -P assemble.cmake

# A bundle in a script element: inline, or as a data block (type text/plain, with its id), which the browser reads
# as text; the template's script runs the first script, the first runs the second.
function(script_element text id out what)
    string(FIND "${text}" "</script" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${what} holds </script and cannot be inlined")
    endif()
    if(id)
        set(${out} "<script type=\"text/plain\" id=\"${id}\">\n${text}</script>\n" PARENT_SCOPE)
    else()
        set(${out} "<script>\n${text}</script>\n" PARENT_SCOPE)
    endif()
endfunction()

# The page's modules from an entry (under SOURCE) as an IIFE for the browsers of the last years, its texts in UTF-8
# as the page is; the libraries from PACKAGES.
function(bundle entry out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${PACKAGES} ${ESBUILD} ${SOURCE}/${entry} --bundle --minify
            --format=iife --target=es2020 --charset=utf8 --legal-comments=none --log-level=warning
        OUTPUT_VARIABLE text RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "esbuild could not bundle the page's scripts from ${entry}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${NODE} ${SOURCE}/build/frame.js ${CORE} ${SOURCE}/werkverbund.html
    OUTPUT_VARIABLE page RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "build/frame.js could not write the form's frame")
endif()
# the core's small starter, right after the core's text (core/start.js); the first script, from page/main.js; the
# second (what tabs, buttons and idle moments need), from page/late.js
bundle(core/start.js starter)
bundle(page/main.js first)
bundle(page/late.js second)
file(READ ${SOURCE}/style.css style)
script_element("${starter}" "" starter "the core's starter")
script_element("${first}" werkverbund-page first "the page's first script")
script_element("${second}" werkverbund-late second "the page's second script")
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "<!--SCRIPTS-->" "${starter}${first}${second}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND ${NODE} ${SOURCE}/build/core.js ${CORE} ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "build/core.js could not put the core into the page")
endif()
