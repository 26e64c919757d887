# SPDX-License-Identifier: GPL-3.0-or-later
# A package without its Latin data would open windows whose dictionaries say
# "manquant": installing (and so cpack) stops with this message instead. DIR: the
# folder of the generated data.
foreach(file lexique.dat donnees.dat analyseur.dat)
  if(NOT EXISTS "${DIR}/${file}")
    message(FATAL_ERROR "Varnelio cannot be packaged: ${DIR}/${file} was not generated "
                        "(install the Debian package collatinus, then build again).")
  endif()
endforeach()
