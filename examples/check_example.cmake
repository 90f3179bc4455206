# The committed example must be what the generator makes.
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()
file(SHA256 ${OUTPUT} made)
file(SHA256 ${COMMITTED} committed)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "examples/crossing_partials.dat differs from what make_example writes; "
                      "regenerate it with: build/release/examples/larkfold-make-example "
                      "examples/crossing_partials.dat")
endif()
