# The committed icon must be what the generator draws.
execute_process(COMMAND ${EMULATOR} ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the icon generator failed: ${result}")
endif()
file(SHA256 ${OUTPUT} made)
file(SHA256 ${COMMITTED} committed)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "ui/larkfold.ico differs from what make_icon draws; regenerate it with "
                      "build/windows/ui/larkfold-make-icon.exe (under Wine) or any build of "
                      "ui/make_icon.cpp")
endif()
