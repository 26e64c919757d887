// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/file_error.h"

#include <cerrno>
#include <cstring>

namespace varnelio {

std::string describeErrno(int e) {
  switch (e) {
    case 0: return {};
    case ENOENT: return "Fichier ou dossier introuvable";
    case EACCES:
    case EPERM: return "Permission refusée";
    case EROFS: return "Système de fichiers en lecture seule";
    case ENOSPC: return "Plus de place sur le disque";
    case EDQUOT: return "Quota de disque dépassé";
    case EISDIR: return "C'est un dossier, pas un fichier";
    case ENOTDIR: return "Un élément du chemin n'est pas un dossier";
    case ENAMETOOLONG: return "Nom de fichier trop long";
    case EIO: return "Erreur d'entrée-sortie";
    case EMFILE:
    case ENFILE: return "Trop de fichiers ouverts";
    case EFBIG: return "Fichier trop volumineux";
    case ENOMEM: return "Mémoire insuffisante";
    case EBUSY:
    case ETXTBSY: return "Fichier en cours d'utilisation";
    case EEXIST: return "Le fichier existe déjà";
    default: return std::strerror(e);
  }
}

}  // namespace varnelio
