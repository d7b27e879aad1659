# The sources are written in French: in the French file every text is its own translation.
#   cmake -DTS=translations/tramola_fr.ts -P source_language.cmake
file(READ "${TS}" _xml)
string(REGEX REPLACE "<source>([^<]*)</source>([ \n]*)<translation type=\"unfinished\">[^<]*</translation>"
  "<source>\\1</source>\\2<translation>\\1</translation>" _xml "${_xml}")
file(WRITE "${TS}" "${_xml}")
