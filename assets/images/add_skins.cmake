# Lists the application images in a staged skins.xml, after the toolkit's skins:
#   cmake -DSKINS_XML=<file> -DENTRIES=<name:count:width:height,...> -P add_skins.cmake
# Each image holds <count> frames of <width> x <height> side by side.
file(READ "${SKINS_XML}" text)
string(FIND "${text}" "</skins>" end REVERSE)
if(end EQUAL -1)
    message(FATAL_ERROR "${SKINS_XML} has no closing </skins>")
endif()
string(SUBSTRING "${text}" 0 ${end} head)
set(lines "")
string(REPLACE "," ";" entries "${ENTRIES}")
foreach(entry IN LISTS entries)
    string(REPLACE ":" ";" fields "${entry}")
    list(GET fields 0 name)
    list(GET fields 1 count)
    list(GET fields 2 width)
    list(GET fields 3 height)
    string(APPEND lines "    <skin name=\"${name}\" count=\"${count}\" width=\"${width}\""
                        " height=\"${height}\" orientation=\"h\" />\n")
endforeach()
file(WRITE "${SKINS_XML}" "${head}${lines}</skins>\n")
