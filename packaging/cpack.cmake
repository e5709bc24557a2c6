# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh does it all).
set(CPACK_PACKAGE_NAME vrn-pc)
set(CPACK_PACKAGE_VENDOR "VRN-PC")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Set-up utility for the VRN-A, VRN-B, VRN-C and VRN-D coil driver cards")
set(CPACK_PACKAGE_DESCRIPTION
    "VRN-PC sets the coil current, PWM frequency, ramp and excitation times of the VRN family of coil driver cards over a serial line (a USB serial adapter or a built-in port), reads them back from the card and keeps them in small parameter files. A simulated card lets you try it without one. vrn-cli sends, reads and verifies parameter files from the command line, on many cards at once, without a display.")
set(VRN_PACKAGE_MAINTAINER "VRN-PC maintainers <vrn-pc@example.invalid>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VRN_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # vrn-pc_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)

# The libraries the program links come from dpkg-shlibdeps (package dpkg-dev) with their
# versions. The platform plugin that draws the windows on Debian 12 (xcb, and wayland where
# it runs) comes with libqt6gui6, which the program links anyway. The face the windows draw
# their texts in is loaded at run time, so no library scan finds it and it is named here
# (scripts/deps.sh names the same package).
find_program(VRN_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VRN_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6, libqt6serialport6, libqt6gui6, libqt6core6, fonts-liberation2")
endif()

include(CPack)
