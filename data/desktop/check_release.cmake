# SPDX-License-Identifier: GPL-3.0-or-later
# The AppStream metainfo must announce the version being built and name the licences
# of the program and of the metadata: FILE, VERSION.
file(READ "${FILE}" content)
string(FIND "${content}" "<release version=\"${VERSION}\"" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${FILE} has no <release version=\"${VERSION}\" ...>: add the release of this version")
endif()
foreach(tag "<project_license>GPL-3.0-or-later</project_license>" "<metadata_license>CC0-1.0</metadata_license>")
  string(FIND "${content}" "${tag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${FILE} lacks ${tag}")
  endif()
endforeach()
