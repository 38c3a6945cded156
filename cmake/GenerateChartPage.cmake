# Writes one chart page: the skeleton shared by all pages (TEMPLATE) with a
# page's own base option and script (SOURCE) put in, and the back button
# (TOOLBOX) wherever the page asks for it. Run at build time:
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

configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
