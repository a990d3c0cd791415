# Makes the Wine prefix the Wine tests share: a fresh `wineboot -i` under
# Xvfb, with its wineserver stopped so the registry files are complete.
foreach(var PREFIX XVFB_RUN WINEBOOT WINESERVER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
get_filename_component(parent "${PREFIX}" DIRECTORY)
file(MAKE_DIRECTORY "${parent}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env WINEDEBUG=-all WINEPREFIX=${PREFIX} ${XVFB_RUN} -a ${WINEBOOT} -i
  RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} ${WINESERVER} -k)
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} ${WINESERVER} -w)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "wineboot -i failed: ${rc}")
endif()
foreach(file system.reg user.reg userdef.reg)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "wineboot left no ${file} in ${PREFIX}")
  endif()
endforeach()
