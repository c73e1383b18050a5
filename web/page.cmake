# Puts the page's script into the shell, in place of its "<!-- script -->".
#   cmake -Dshell=shell.html -Dscript=page.js -Dpage=OUT.html -P page.cmake
file(READ ${shell} html)
file(READ ${script} code)
# Inside <script>, this would end the script early.
string(FIND "${code}" "</script" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "${script} contains </script")
endif()
# The shell's comments are for its readers, not for the browser.
string(REPLACE "<!-- script -->" "WGZ_SCRIPT_HERE" html "${html}")
string(REGEX REPLACE "<!--[^>]*-->\n?" "" html "${html}")
string(REGEX REPLACE "/\\*[^*]*\\*/\n?" "" html "${html}")
string(REGEX REPLACE "\n\t+" " " html "${html}")
string(REPLACE "WGZ_SCRIPT_HERE" "<script type=\"module\">${code}</script>" html "${html}")
file(WRITE ${page} "${html}")
