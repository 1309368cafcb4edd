# Runs the generator into an empty folder and compares what it wrote with the
# committed images. Arguments: GENERATOR, COMMITTED, SCRATCH.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the image generator failed: ${status}")
endif()
set(stale "")
foreach(name panel.bmp knob.bmp lamp.bmp)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${COMMITTED}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale resources/${name})
  endif()
endforeach()
if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR "${stale}: not what the generator draws now. Run "
                      "`cmake --build --preset native --target regenerate-images` and commit the result.")
endif()
message(STATUS "panel.bmp, knob.bmp and lamp.bmp match the generator")
