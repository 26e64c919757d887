# SPDX-License-Identifier: GPL-3.0-or-later
# The AppStream metainfo must announce the version being built: FILE, VERSION.
file(READ "${FILE}" content)
string(FIND "${content}" "<release version=\"${VERSION}\"" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${FILE} has no <release version=\"${VERSION}\" ...>: add the release of this version")
endif()
