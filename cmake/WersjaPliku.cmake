# The version block linked into each of our executables: product name, file
# version and translation, which the runtime (Wersja.h) reads back from the
# executable's file.
#
#   ostrevia_osadz_wersje(<target> [PRODUKT <name>] [WERSJA <a.b.c.d>] [BEZ_STALEGO_REKORDU])
#
# Defaults: the top-level project's name and version. BEZ_STALEGO_REKORDU
# leaves the numbers out, so readers fall back to the "FileVersion" string.

set(OSTREVIA_WERSJA_PLIKU_SZABLON ${CMAKE_CURRENT_LIST_DIR}/BlokWersji.cpp.in)
set(OSTREVIA_WERSJA_PLIKU_NAGLOWKI ${CMAKE_CURRENT_LIST_DIR}/../framework/runtime)

function(ostrevia_osadz_wersje target)
  cmake_parse_arguments(ARG "BEZ_STALEGO_REKORDU" "PRODUKT;WERSJA" "" ${ARGN})
  if(NOT ARG_PRODUKT)
    set(ARG_PRODUKT "${CMAKE_PROJECT_NAME}")
  endif()
  if(NOT ARG_WERSJA)
    set(ARG_WERSJA "${CMAKE_PROJECT_VERSION}")
  endif()
  if(ARG_PRODUKT MATCHES "[\"\\\\]" OR ARG_PRODUKT STREQUAL "")
    message(FATAL_ERROR "ostrevia_osadz_wersje: product name '${ARG_PRODUKT}' cannot go into the block")
  endif()

  # Four parts, each 0..65535; missing parts are 0.
  string(REPLACE "." ";" czesci "${ARG_WERSJA}")
  list(LENGTH czesci ile)
  if(ile GREATER 4)
    message(FATAL_ERROR "ostrevia_osadz_wersje: version '${ARG_WERSJA}' has more than four parts")
  endif()
  while(ile LESS 4)
    list(APPEND czesci 0)
    math(EXPR ile "${ile} + 1")
  endwhile()
  foreach(czesc IN LISTS czesci)
    if(NOT czesc MATCHES "^[0-9]+$" OR czesc GREATER 65535)
      message(FATAL_ERROR "ostrevia_osadz_wersje: version '${ARG_WERSJA}' is not four numbers 0..65535")
    endif()
  endforeach()
  list(GET czesci 0 WERSJA_GLOWNA)
  list(GET czesci 1 WERSJA_POMOCNICZA)
  list(GET czesci 2 WERSJA_WYDANIE)
  list(GET czesci 3 WERSJA_KOMPILACJA)
  string(JOIN "." WERSJA_TEKST ${czesci})
  set(NAZWA_PRODUKTU "${ARG_PRODUKT}")
  set(NAZWA_CELU "${target}")
  if(ARG_BEZ_STALEGO_REKORDU)
    set(STALY_REKORD 0)
  else()
    set(STALY_REKORD 1)
  endif()

  set(plik "${CMAKE_CURRENT_BINARY_DIR}/${target}_BlokWersji.cpp")
  configure_file("${OSTREVIA_WERSJA_PLIKU_SZABLON}" "${plik}" @ONLY)
  target_sources(${target} PRIVATE "${plik}")
  set_source_files_properties("${plik}" TARGET_DIRECTORY ${target}
    PROPERTIES INCLUDE_DIRECTORIES "${OSTREVIA_WERSJA_PLIKU_NAGLOWKI}" SKIP_AUTOMOC ON)
endfunction()
