# Puts the page together: node writes the form's frame into the template (frame.js), then the
# placeholders are replaced by the style sheet, the core's loader (with the WebAssembly inlined) and
# the page scripts, each script in its own element.
# cmake -DSOURCE=web-folder -DNODE=node -DCORE=loader.js -DOUTPUT=werkverbund.html -P assemble.cmake
# The page's own scripts go in without their comment lines and indentation: those are for the sources' readers,
# and the page is to stay small. Whole comment lines only, so that no string's text is touched.
function(inline_script file out lean)
    file(READ ${file} text)
    if(lean)
        string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" text "\n${text}")
        string(REGEX REPLACE "\n[ \t]+" "\n" text "${text}")
    endif()
    string(FIND "${text}" "</script" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${file} holds </script and cannot be inlined")
    endif()
    set(${out} "<script>\n${text}</script>\n" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${NODE} ${SOURCE}/frame.js ${CORE} ${SOURCE}/werkverbund.html
    OUTPUT_VARIABLE page RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "frame.js could not write the form's frame")
endif()
file(READ ${SOURCE}/style.css style)
inline_script(${CORE} core NO)
set(scripts "")
foreach(part run plan form explain export results chain diagram store views planner bar page)
    inline_script(${SOURCE}/${part}.js text YES)
    string(APPEND scripts "${text}")
endforeach()
string(REPLACE "/*STYLE*/" "${style}" page "${page}")
string(REPLACE "<!--CORE-->" "${core}" page "${page}")
string(REPLACE "<!--SCRIPTS-->" "${scripts}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
