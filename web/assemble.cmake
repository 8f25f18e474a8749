# Puts the page together: the template's placeholders are replaced by the style sheet, the core's
# loader (with the WebAssembly inlined) and the page scripts, each script in its own element.
# cmake -DSOURCE=web-folder -DCORE=loader.js -DOUTPUT=werkverbund.html -P assemble.cmake
function(inline_script file out)
    file(READ ${file} text)
    string(FIND "${text}" "</script" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${file} holds </script and cannot be inlined")
    endif()
    set(${out} "<script>\n${text}</script>\n" PARENT_SCOPE)
endfunction()

file(READ ${SOURCE}/werkverbund.html page)
file(READ ${SOURCE}/style.css style)
inline_script(${CORE} core)
set(scripts "")
foreach(part run plan form results page)
    inline_script(${SOURCE}/${part}.js text)
    string(APPEND scripts "${text}")
endforeach()
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "<!--CORE-->" "${core}" page "${page}")
string(REPLACE "<!--SCRIPTS-->" "${scripts}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
