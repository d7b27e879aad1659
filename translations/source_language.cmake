# SPDX-License-Identifier: GPL-3.0-or-later
# The sources are written in French: in the French file every text is its own translation.
#   cmake -DTS=translations/tramola_fr.ts -P source_language.cmake
file(READ "${TS}" _xml)
string(REGEX REPLACE "<source>([^<]*)</source>([ \n]*)<translation type=\"unfinished\">[^<]*</translation>"
  "<source>\\1</source>\\2<translation>\\1</translation>" _xml "${_xml}")
# Plural texts: both French forms read as the source, whose "(s)" covers them.
string(REGEX REPLACE "<source>([^<]*)</source>([ \n]*)<translation type=\"unfinished\">([ \n]*)<numerusform>[^<]*</numerusform>([ \n]*)<numerusform>[^<]*</numerusform>"
  "<source>\\1</source>\\2<translation>\\3<numerusform>\\1</numerusform>\\4<numerusform>\\1</numerusform>" _xml "${_xml}")
file(WRITE "${TS}" "${_xml}")
