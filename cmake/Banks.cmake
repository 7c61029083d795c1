# Question banks. Every banks/<exam>/<name>.txt (format: banks/FORMAT.md) becomes one
# generated translation unit holding its module's constant table and load_bank; the
# generator, bankgen, is a host tool of this project. Editing a data file, or a bank that
# a full exam includes (listed in the generator's depfile), regenerates its table.

add_executable(bankgen tools/bankgen/main.cpp tools/bankgen/bank_file.cpp)
# It shares the list of question types with the load (src/banks/question_types.hpp).
target_include_directories(bankgen PRIVATE ${CMAKE_SOURCE_DIR}/src)

file(GLOB BANK_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/banks/*/*.txt)
set(BANK_GEN_DIR ${CMAKE_BINARY_DIR}/generated/banks)
set(BANK_SOURCES)
foreach(bank_file IN LISTS BANK_FILES)
  file(RELATIVE_PATH bank_name ${CMAKE_SOURCE_DIR}/banks ${bank_file})
  string(REGEX REPLACE "\\.txt$" ".cpp" bank_cpp ${BANK_GEN_DIR}/${bank_name})
  add_custom_command(
    OUTPUT ${bank_cpp}
    COMMAND bankgen ${bank_file} ${bank_cpp} ${bank_cpp}.d
    DEPENDS bankgen ${bank_file}
    DEPFILE ${bank_cpp}.d
    COMMENT "Generating question bank ${bank_name}"
    VERBATIM)
  list(APPEND BANK_SOURCES ${bank_cpp})
endforeach()

# The list of modules that the registry (src/banks/registry.cpp) includes.
set(BANK_LIST ${BANK_GEN_DIR}/bank_list.inc)
add_custom_command(
  OUTPUT ${BANK_LIST}
  COMMAND bankgen --list ${BANK_LIST} ${BANK_FILES}
  DEPENDS bankgen ${BANK_FILES}
  COMMENT "Listing the question banks"
  VERBATIM)
set_source_files_properties(${BANK_LIST} PROPERTIES HEADER_FILE_ONLY ON)
list(APPEND BANK_SOURCES ${BANK_LIST})
set(BANK_INCLUDE_DIRS ${BANK_GEN_DIR})

# The tests run the generator on malformed files; unit_tests is defined after this file.
function(banks_wire_tests)
  if(TARGET unit_tests)
    target_compile_definitions(unit_tests PRIVATE PREPVANT_BANKGEN="$<TARGET_FILE:bankgen>")
    add_dependencies(unit_tests bankgen)
  endif()
endfunction()
cmake_language(DEFER CALL banks_wire_tests)
