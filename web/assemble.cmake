# Puts the page together: node writes the form's frame into the template (build/frame.js), esbuild bundles the
# page's modules from page/main.js into one small script, then the placeholders are replaced by the style sheet, the
# bundle and, by node, the core's WebAssembly as base64 text (build/core.js).
# cmake -DSOURCE=web-folder -DNODE=node -DESBUILD=esbuild -DPACKAGES=node_modules -DCORE=werkverbund-core.wasm
#       -DOUTPUT=werkverbund.html -P assemble.cmake
function(script_element text out what)
    string(FIND "${text}" "</script" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${what} holds </script and cannot be inlined")
    endif()
    set(${out} "<script>\n${text}</script>\n" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${NODE} ${SOURCE}/build/frame.js ${CORE} ${SOURCE}/werkverbund.html
    OUTPUT_VARIABLE page RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "build/frame.js could not write the form's frame")
endif()
# an IIFE for the browsers of the last years, its texts in UTF-8 as the page is; the libraries from PACKAGES
execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${PACKAGES} ${ESBUILD} ${SOURCE}/page/main.js --bundle --minify --format=iife --target=es2020
        --charset=utf8 --legal-comments=none --log-level=warning
    OUTPUT_VARIABLE bundle RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "esbuild could not bundle the page's scripts")
endif()
file(READ ${SOURCE}/style.css style)
script_element("${bundle}" scripts "the bundle of the page's scripts")
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "<!--SCRIPTS-->" "${scripts}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
execute_process(COMMAND ${NODE} ${SOURCE}/build/core.js ${CORE} ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "build/core.js could not put the core into the page")
endif()
