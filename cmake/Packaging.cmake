# The Debian package, made by CPack: `cmake --build <build> --target package`
# in a Release build writes tintara_<version>_<arch>.deb into the build tree.
# Its Depends are worked out from the installed binaries by dpkg-shlibdeps.

# Folders made by the installation are 0755 whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintara)
set(CPACK_PACKAGE_VENDOR "The Tintara authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tintara maintainers <tintara@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour tool for HTML pages and small programs")
set(CPACK_PACKAGE_DESCRIPTION
  "Tintara holds one current colour and lets you set it in six colour models\n"
  "(RGB, YMC, ESL, HSL, HSV and Y/Cb/Cr) with sliders, decimal and hexadecimal\n"
  "fields and a gradient palette, or pick it from the screen with a magnifier.\n"
  "It writes the colour as text in seventeen formats for style sheets, HTML\n"
  "attributes and programs, composes an HTML BODY start tag from five colour\n"
  "roles and reads such a tag back out of a page or the clipboard.\n"
  "\n"
  "The interface is in Japanese. The package also holds tintara-cli, which\n"
  "converts colours, writes the copy texts and reads BODY tags in scripts, and\n"
  "a picture plug-in for WebP.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/tintara/tintara)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window is laid out for IPA P Gothic; the toolkit's dialogs speak
# Japanese with the translations; the help pages are opened with xdg-open;
# Wayland needs the toolkit's plug-in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland, xdg-desktop-portal")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
  set(CPACK_STRIP_FILES ON)
  # Stripped as Debian strips, also of the compiler's notes in .comment.
  set(tintara_strip ${CMAKE_BINARY_DIR}/package-strip)
  file(CONFIGURE OUTPUT ${tintara_strip} @ONLY CONTENT [[#!/bin/sh
exec "@CMAKE_STRIP@" --remove-section=.comment --remove-section=.note "$@"
]])
  file(CHMOD ${tintara_strip} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_STRIP ${tintara_strip})

  # What the package ships is built with the distribution's hardening flags
  # (fortify, stack protector, relro, bind-now); the build type keeps the
  # choice of optimisation. dpkg-buildflags comes with dpkg-dev, which the
  # package needs anyway (dpkg-shlibdeps).
  find_program(TINTARA_DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT TINTARA_DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found: built without the distribution's hardening flags")
    set(tintara_flag_kinds "")
  else()
    set(tintara_flag_kinds CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
  endif()
  foreach(kind IN LISTS tintara_flag_kinds)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${TINTARA_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-O")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
      continue()
    endif()
    # Each kind for its own languages.
    set(languages C,CXX)
    if(kind STREQUAL "CFLAGS")
      set(languages C)
    elseif(kind STREQUAL "CXXFLAGS")
      set(languages CXX)
    endif()
    list(TRANSFORM flags PREPEND "$<$<COMPILE_LANGUAGE:${languages}>:")
    list(TRANSFORM flags APPEND ">")
    add_compile_options(${flags})
  endforeach()
endif()

# One package holding everything, also the files only a package carries
# (the component "debian", left out of a plain `cmake --install`).
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)

include(CPack)
