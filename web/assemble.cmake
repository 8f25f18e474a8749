# Puts the page together: node writes the form's frame into the template (build/frame.js), esbuild bundles the
# page's modules from page/main.js and page/late.js into two small scripts, then the placeholders are replaced by
# the style sheet, the bundles and, by node, the core's WebAssembly as base64 text (build/core.js).
# cmake -DSOURCE=web-folder -DNODE=node -DESBUILD=esbuild -DPACKAGES=node_modules -DCORE=werkverbund-core.wasm
#       -DOUTPUT=werkverbund.html -P assemble.cmake
# A bundle as a data block (type text/plain), which the browser reads as text: the template's script runs the first,
# the first runs the second.
function(script_element text id out what)
    string(FIND "${text}" "</script" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${what} holds </script and cannot be inlined")
    endif()
    set(${out} "<script type=\"text/plain\" id=\"${id}\">\n${text}</script>\n" PARENT_SCOPE)
endfunction()

# The page's modules from an entry as an IIFE for the browsers of the last years, its texts in UTF-8 as the page is;
# the libraries from PACKAGES.
function(bundle entry out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${PACKAGES} ${ESBUILD} ${SOURCE}/page/${entry} --bundle --minify
            --format=iife --target=es2020 --charset=utf8 --legal-comments=none --log-level=warning
        OUTPUT_VARIABLE text RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "esbuild could not bundle the page's scripts from page/${entry}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${NODE} ${SOURCE}/build/frame.js ${CORE} ${SOURCE}/werkverbund.html
    OUTPUT_VARIABLE page RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "build/frame.js could not write the form's frame")
endif()
# the first script, from page/main.js; the second (what tabs, buttons and idle moments need), from page/late.js
bundle(main.js first)
bundle(late.js second)
file(READ ${SOURCE}/style.css style)
script_element("${first}" werkverbund-page first "the page's first script")
script_element("${second}" werkverbund-late second "the page's second script")
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "<!--SCRIPTS-->" "${first}${second}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND ${NODE} ${SOURCE}/build/core.js ${CORE} ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "build/core.js could not put the core into the page")
endif()
