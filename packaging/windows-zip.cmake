# Makes the Windows release zip: one folder NAME holding both programs, the
# page where it was built, a German text for Windows users and the licence,
# the texts with CR LF line ends (the text in UTF-8 with a byte order mark,
# which every Notepad reads); each entry dated at the last commit, so that
# two builds give the same bytes.
# cmake -Dsource=DIR -Dbinary=DIR -Dname=NAME -Dexe32=NAME -Dversion=V
#       [-Dpage=FILE] [-Depoch=SECONDS] -Dzip=ZIP -P windows-zip.cmake
set(folder ${binary}/${name})
file(REMOVE_RECURSE ${folder} ${binary}/${name}.zip)
file(MAKE_DIRECTORY ${folder})

file(COPY_FILE ${binary}/windows-x86_64/wiedergewinnszeit.exe ${folder}/wiedergewinnszeit.exe)
file(COPY_FILE ${binary}/windows-i686/wiedergewinnszeit.exe ${folder}/${exe32})
set(entries wiedergewinnszeit.exe ${exe32})

# The text's list of files names the page and its notices only where they are.
set(PROJECT_VERSION ${version})
set(WGZ_EXE_32 ${exe32})
set(WGZ_PAGE_LINES "")
set(WGZ_NOTICE_LINES "")
if(page)
  file(COPY_FILE ${page} ${folder}/wiedergewinnszeit.html)
  list(APPEND entries wiedergewinnszeit.html)
  set(WGZ_PAGE_LINES "wiedergewinnszeit.html       derselbe Rechner als Seite für den Browser:
                             doppelklicken; rechnet beim Tippen, ohne Internet
")
  set(WGZ_NOTICE_LINES "LIZENZEN-SEITE.txt           was die Seite mitbringt (lit-html, d3-array,
                             emscripten) und deren Lizenzen
")
endif()

# Windows line ends; a text in UTF-8 gets a byte order mark.
function(windows_text from to)
  file(READ ${from} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  if(ARGN)
    string(ASCII 239 187 191 bom)
    string(PREPEND text "${bom}")
  endif()
  file(WRITE ${folder}/${to} "${text}")
endfunction()
configure_file(${source}/packaging/LIESMICH.txt.in ${binary}/LIESMICH.txt @ONLY)
windows_text(${binary}/LIESMICH.txt LIESMICH.txt utf8)
windows_text(${source}/LICENSE LIZENZ.txt)
list(APPEND entries LIESMICH.txt LIZENZ.txt)
if(page)
  windows_text(${source}/packaging/copyright-seite LIZENZEN-SEITE.txt)
  list(APPEND entries LIZENZEN-SEITE.txt)
endif()

list(TRANSFORM entries PREPEND ${name}/)
if(NOT epoch STREQUAL "")
  execute_process(COMMAND touch -d @${epoch} ${entries} WORKING_DIRECTORY ${binary} COMMAND_ERROR_IS_FATAL ANY)
endif()
# Without extra fields (-X) a zip entry holds its time as a local time: UTC.
set(ENV{TZ} UTC)
execute_process(COMMAND ${zip} -q -X -D ${name}.zip ${entries} WORKING_DIRECTORY ${binary}
  COMMAND_ERROR_IS_FATAL ANY)
