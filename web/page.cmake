# Puts the page's script into the shell, in place of its "<!-- script -->".
#   cmake -Dshell=shell.html -Dscript=page.js -Dpage=OUT.html -P page.cmake
file(READ ${shell} html)
file(READ ${script} code)
# Inside <script>, this would end the script early.
string(FIND "${code}" "</script" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "${script} contains </script")
endif()
string(REPLACE "<!-- script -->" "<script type=\"module\">${code}</script>" html "${html}")
file(WRITE ${page} "${html}")
