# SPDX-License-Identifier: GPL-3.0-or-later
# kovra-check --write makes a test file whose dump is the folder's dump (the fixture's figure
# is small enough to be kept as it is), and refuses to write a broken folder.
#   cmake -DCHECK=kovra-check -DFIXTURES=dir -DOUT=dir -P write_and_dump.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${CHECK}" --write "${OUT}/small.kovra" "${FIXTURES}/small" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "--write of the small fixture failed: ${status}")
endif()
execute_process(COMMAND "${CHECK}" --dump "${OUT}/small.kovra" OUTPUT_FILE "${OUT}/small.dump" RESULT_VARIABLE status)
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/small.dump" "${FIXTURES}/small.dump" RESULT_VARIABLE differs)
if(NOT status EQUAL 0 OR differs)
  message(FATAL_ERROR "the dump of the written file is not the folder's dump")
endif()
execute_process(COMMAND "${CHECK}" --write "${OUT}/broken.kovra" "${FIXTURES}/broken" RESULT_VARIABLE status ERROR_QUIET)
if(status EQUAL 0 OR EXISTS "${OUT}/broken.kovra")
  message(FATAL_ERROR "a broken folder was written")
endif()
