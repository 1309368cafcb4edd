# The factory presets have one source, presets/presets.txt; make_preset_files
# (presets/, built for the machine that builds) turns it into files at build
# time. Included before the folders, so that any of them may call these.
set(BRV_PRESET_SOURCE ${CMAKE_SOURCE_DIR}/presets/presets.txt)

# brv_preset_files(TARGET name KIND vst2|lv2 OUTPUT_DIR dir): a target, built
# by default, that writes the presets of one kind into dir, again whenever
# the source changes. dir/STAMP marks them written.
function(brv_preset_files)
  cmake_parse_arguments(P "" "TARGET;KIND;OUTPUT_DIR" "" ${ARGN})
  if(NOT P_TARGET OR NOT P_OUTPUT_DIR OR NOT P_KIND MATCHES "^(vst2|lv2)$")
    message(FATAL_ERROR "brv_preset_files needs TARGET, KIND vst2 or lv2, and OUTPUT_DIR")
  endif()
  set(stamp ${P_OUTPUT_DIR}/.written)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${P_OUTPUT_DIR}
    COMMAND make_preset_files ${BRV_PRESET_SOURCE} --${P_KIND} ${P_OUTPUT_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS make_preset_files ${BRV_PRESET_SOURCE}
    COMMENT "Writing the ${P_KIND} factory presets into ${P_OUTPUT_DIR}"
    VERBATIM)
  add_custom_target(${P_TARGET} ALL DEPENDS ${stamp})
endfunction()

# brv_lv2_presets(OUTPUT_DIR dir [TARGET name]): the LV2 presets for a
# bundle in dir: one SLUG.ttl per preset and presets.manifest.ttl, whose
# lines (with their own @prefix lines) go into the bundle's manifest.ttl,
# and whose rdfs:seeAlso name the .ttl files relative to dir. The target
# (default brv_lv2_presets) is what the bundle's target depends on.
function(brv_lv2_presets)
  cmake_parse_arguments(P "" "TARGET;OUTPUT_DIR" "" ${ARGN})
  if(NOT P_TARGET)
    set(P_TARGET brv_lv2_presets)
  endif()
  brv_preset_files(TARGET ${P_TARGET} KIND lv2 OUTPUT_DIR ${P_OUTPUT_DIR})
endfunction()
