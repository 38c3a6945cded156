# Writes one chart page: the skeleton shared by all pages (TEMPLATE) with a
# page's own base option and script (SOURCE) put in, and the back button
# (TOOLBOX) wherever the page asks for it. The page's content security policy
# admits its one inline script by hash, so the hash is worked out here from
# the finished script. Run at build time:
#   cmake -DTEMPLATE=... -DSOURCE=... -DTOOLBOX=... -DOUTPUT=... -P GenerateChartPage.cmake
set(marker "//== page script ==")

file(READ "${SOURCE}" page)
string(FIND "${page}" "${marker}" split)
if(split EQUAL -1)
    message(FATAL_ERROR "${SOURCE}: no '${marker}' line after the base option")
endif()
string(LENGTH "${marker}" marker_length)
math(EXPR script_begin "${split} + ${marker_length}")
string(SUBSTRING "${page}" 0 ${split} PAGE_OPTION)
string(SUBSTRING "${page}" ${script_begin} -1 PAGE_SCRIPT)

file(READ "${TOOLBOX}" TOOLBOX_BACK)
string(STRIP "${TOOLBOX_BACK}" TOOLBOX_BACK)
string(CONFIGURE "${PAGE_OPTION}" PAGE_OPTION @ONLY)
string(STRIP "${PAGE_OPTION}" PAGE_OPTION)
string(STRIP "${PAGE_SCRIPT}" PAGE_SCRIPT)
get_filename_component(PAGE_SOURCE "${SOURCE}" NAME)

# The browser hashes the script as its HTML parser reads it, with every line
# break a plain LF, whatever line ends the checkout has.
file(READ "${TEMPLATE}" template)
set(PAGE_SCRIPT_HASH "@PAGE_SCRIPT_HASH@")
string(CONFIGURE "${template}" html @ONLY)
string(REPLACE "\r\n" "\n" html "${html}")

set(open_tag "<script>")
string(FIND "${html}" "${open_tag}" script_start)
string(FIND "${html}" "</script>" script_end REVERSE)
if(script_start EQUAL -1 OR script_end LESS script_start)
    message(FATAL_ERROR "${TEMPLATE}: no inline <script> element")
endif()
string(LENGTH "${open_tag}" open_length)
math(EXPR script_start "${script_start} + ${open_length}")
math(EXPR script_length "${script_end} - ${script_start}")
string(SUBSTRING "${html}" ${script_start} ${script_length} inline_script)
string(SHA256 digest "${inline_script}")

# CSP wants the digest in base64; CMake only writes hex. Three bytes (six hex
# digits) make four base64 digits; the 32-byte digest leaves two bytes over,
# written as three digits and one '='.
set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
set(base64 "")
foreach(offset RANGE 0 63 6)
    string(SUBSTRING "${digest}" ${offset} 6 group)
    string(LENGTH "${group}" group_length)
    math(EXPR bits "0x${group} << (24 - ${group_length} * 4)")
    math(EXPR digits "(${group_length} * 4 + 5) / 6")
    foreach(shift 18 12 6 0)
        if(digits GREATER 0)
            math(EXPR index "(${bits} >> ${shift}) & 63")
            string(SUBSTRING "${alphabet}" ${index} 1 digit)
            string(APPEND base64 "${digit}")
            math(EXPR digits "${digits} - 1")
        endif()
    endforeach()
endforeach()
string(APPEND base64 "=")

string(REPLACE "@PAGE_SCRIPT_HASH@" "sha256-${base64}" html "${html}")
file(WRITE "${OUTPUT}" "${html}")
