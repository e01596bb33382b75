# ostrevia_dodaj_zasoby(TARGET FUNCTION NAME=FILE ...)
# Packs files into named resources of TARGET (zlib, at build time) and
# generates FUNCTION, which registers them when the program starts.
function(ostrevia_dodaj_zasoby target funkcja)
  set(wyjscie ${CMAKE_CURRENT_BINARY_DIR}/${funkcja}.cpp)
  set(pliki)
  foreach(para ${ARGN})
    string(REGEX REPLACE "^[^=]+=" "" plik "${para}")
    list(APPEND pliki ${plik})
  endforeach()
  add_custom_command(
    OUTPUT ${wyjscie}
    COMMAND pakuj_zasoby ${wyjscie} ${funkcja} ${ARGN}
    DEPENDS pakuj_zasoby ${pliki}
    COMMENT "Packing resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${wyjscie})
endfunction()
