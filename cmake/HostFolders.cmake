# brv_install_where_hosts_look(PATH path HOME_DIR dir SYSTEM_DIR dir): at
# install time, PATH (a file or a folder) goes where Linux hosts look for
# plug-ins: into HOME_DIR below the user's home when the prefix lies inside
# it (~/.vst, ~/.lv2), else into SYSTEM_DIR below the prefix (/usr/lib/vst).
# "Inside" is decided by comparing paths as text: a home folder whose name
# holds + or ( is no pattern, and trailing slashes do not count.
function(brv_install_where_hosts_look)
  cmake_parse_arguments(I "" "PATH;HOME_DIR;SYSTEM_DIR" "" ${ARGN})
  install(CODE "
    string(REGEX REPLACE \"/+\$\" \"\" home \"\$ENV{HOME}\")
    string(REGEX REPLACE \"/+\$\" \"\" prefix \"\${CMAKE_INSTALL_PREFIX}\")
    string(LENGTH \"\${home}/\" home_length)
    string(SUBSTRING \"\${prefix}/\" 0 \${home_length} prefix_start)
    if(home AND prefix_start STREQUAL \"\${home}/\")
      set(destination \"\${home}/${I_HOME_DIR}\")
    else()
      set(destination \"\${CMAKE_INSTALL_PREFIX}/${I_SYSTEM_DIR}\")
    endif()
    file(INSTALL \"${I_PATH}\" DESTINATION \"\${destination}\" USE_SOURCE_PERMISSIONS
         PATTERN .written EXCLUDE)
  ")
endfunction()
