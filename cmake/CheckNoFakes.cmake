# Fails when the program at PROGRAM defines a symbol of the test support (a fake service,
# the scripted random numbers, the in-memory settings store or a test driver).
# Run as a script: cmake -DPROGRAM=... -P CheckNoFakes.cmake
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} --defined-only --demangle ${PROGRAM}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm could not read ${PROGRAM}")
endif()
string(REGEX MATCH "pv::(Fake[A-Za-z]*|ScriptedRandom|MemorySettingsStore|testing::)" found
       "${symbols}")
if(found)
  message(FATAL_ERROR "the program links test support: ${found}")
endif()
message(STATUS "no test support in ${PROGRAM}")
