# What `cmake --install` lays out and what CPack packs. Linux (.deb, installed under /usr):
# bin/ferrix-host, lib/vst/Ferrix.so (the folder Linux hosts scan), share/ferrix/ferrix-demo.wav
# and the docs. Windows (.zip, flat): Ferrix.dll, ferrix-host.exe, ferrix-demo.wav, README.md.
# ferrix-host finds the plug-in and the demo beside itself or in these places.
if(WIN32)
  install(TARGETS ferrix-host RUNTIME DESTINATION .)
  install(TARGETS Ferrix LIBRARY DESTINATION . RUNTIME DESTINATION .)
  install(FILES ${CMAKE_BINARY_DIR}/ferrix-demo.wav ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  install(TARGETS ferrix-host RUNTIME DESTINATION bin)
  install(TARGETS Ferrix LIBRARY DESTINATION lib/vst)
  install(FILES ${CMAKE_BINARY_DIR}/ferrix-demo.wav DESTINATION share/ferrix)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/usage.md
          DESTINATION share/doc/ferrix)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # depends on the Debian libraries it links
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
set(CPACK_PACKAGE_NAME ferrix)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "Ferrix developers <ferrix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Stereo clipper VST 2.4 plug-in (Ferrix) and ferrix-host, a command-line VST 2.4 host")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The .zip carries the very Ferrix.dll the tests ran; the .deb is stripped as Debian does.
if(NOT WIN32)
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
