# Makes the TWAIN headers again from the facts in tools/gen/twain/ into OUTPUT and fails unless
# each is byte for byte the committed one: the headers are generated, never edited by hand.
# cmake -DPYTHON=... -DSOURCE_ROOT=... -DOUTPUT=... -P regenerated_headers_match.cmake
file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
execute_process(COMMAND "${PYTHON}" "${SOURCE_ROOT}/tools/gen/gen_twain_types.py" "${OUTPUT}"
  RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "tools/gen/gen_twain_types.py failed: ${generated}")
endif()
foreach(header include/twaintrace/twain_types.h src/names/twain25_names.h)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
    "${OUTPUT}/${header}" "${SOURCE_ROOT}/${header}" RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${header} differs from what tools/gen/gen_twain_types.py makes of "
      "tools/gen/twain/: edit the facts or the generator and run it again")
  endif()
endforeach()
