# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in a configured tree makes tavolin_<version>_<arch>.deb of what Install.cmake
# installs, with the runtime dependencies read off the programs' libraries by dpkg-shlibdeps,
# maintained by TAVOLIN_MAINTAINER (Install.cmake).
set(CPACK_PACKAGE_NAME tavolin)
set(CPACK_PACKAGE_VENDOR "Tavolin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of error-control codes over a noisy binary channel")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavolin sends random messages through a binary channel that inverts or
erases bits, with a cyclic, Hamming, continuous or no code, and shows what the
code detected and corrected, the entropies, the useful information, the
transmission rate and the channel matrices. tavolin is the window; tavolin-sim
runs the same engine from the command line, reproducibly from seeds, and runs
studies over a range of channel values.")
set(CPACK_PACKAGE_CONTACT "${TAVOLIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVOLIN_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window finds Qt's own texts in Russian and the Tahoma-metric font when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS fonts-wine)

include(CPack)
