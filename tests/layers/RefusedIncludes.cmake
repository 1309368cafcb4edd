# Runs scripts/check-layers.cmake on small trees that hold the real layer
# list and one file each. Arguments: SOURCE (the source tree), WORK (a
# scratch folder).
cmake_minimum_required(VERSION 3.20)

# check(FILE INCLUDE EXPECT): a tree with FILE holding only #include INCLUDE;
# EXPECT is PASS or FAIL.
function(check file include expect)
  set(tree ${WORK}/tree)
  file(REMOVE_RECURSE ${tree})
  file(MAKE_DIRECTORY ${tree}/cmake)
  file(COPY ${SOURCE}/cmake/Layers.cmake DESTINATION ${tree}/cmake)
  file(WRITE ${tree}/${file} "#include \"${include}\"\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${SOURCE}/scripts/check-layers.cmake
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE said)
  if(expect STREQUAL "PASS" AND NOT result EQUAL 0)
    message(SEND_ERROR "${file} including ${include} was refused:\n${said}")
  elseif(expect STREQUAL "FAIL" AND result EQUAL 0)
    message(SEND_ERROR "${file} including ${include} passed the layer check")
  endif()
endfunction()

# The LV2 plug-in wraps the shared plug-in and nothing of VST 2.
check(lv2/Reach.cpp plugin/ReverbCore.h PASS)
check(lv2/Reach.cpp effect/ReverbPlugin.h FAIL)
check(lv2/Reach.cpp vst2/EffectBase.h FAIL)
check(lv2/Reach.cpp module/ReverbPluginGui.h FAIL)
# The plug-in knows no format.
check(plugin/Reach.cpp vst2/vst2.h FAIL)
# The platform's implementations are sealed: the platform and the tests only.
check(gui/platform/soft/Reach.cpp gui/platform/soft/SoftX11.h PASS)
check(tests/gui/Reach.cpp gui/platform/soft/SoftControls.h PASS)
check(lv2/Reach.cpp gui/platform/soft/SoftX11.h FAIL)
check(editor/Reach.cpp gui/platform/win32/DropTarget.h FAIL)
check(gui/Reach.cpp gui/platform/soft/SoftSystem.h FAIL)
check(programs/cli/Reach.cpp gui/platform/ReadBack.h PASS)
check(programs/cli/Reach.cpp gui/platform/soft/SoftSystem.h FAIL)
# The parts tools/ became keep to their own lines.
check(presets/Reach.cpp host/VstHost.h FAIL)
check(host/Reach.cpp room/RoomAnalysis.h FAIL)
