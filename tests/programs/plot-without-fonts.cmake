# The decay plot drawn twice, with the machine's fonts and with fontconfig
# given none: the texts come from the face the host carries and the two
# pictures are the same file. Arguments: HOST, NO_FONTS (a fontconfig file), OUT.
foreach(run normal bare)
  set(picture ${OUT}/plot-${run}.png)
  file(REMOVE ${picture})
  if(run STREQUAL "bare")
    set(ENV{FONTCONFIG_FILE} ${NO_FONTS})
  endif()
  execute_process(COMMAND ${HOST} --plot ${picture} --analyze RESULT_VARIABLE code OUTPUT_QUIET)
  if(NOT code EQUAL 0 OR NOT EXISTS ${picture})
    message(FATAL_ERROR "${run} run: exit ${code}, no ${picture}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/plot-normal.png ${OUT}/plot-bare.png
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the plot without system fonts differs from the one with them")
endif()
