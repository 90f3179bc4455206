# A committed generated file must be what its generator makes.
#   cmake -DGENERATOR=... [-DEMULATOR=...] -DOUTPUT=... -DCOMMITTED=... -DHOW="..." -P this
execute_process(COMMAND ${EMULATOR} ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()
file(SHA256 ${OUTPUT} made)
file(SHA256 ${COMMITTED} committed)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "${COMMITTED} differs from what its generator makes; ${HOW}")
endif()
