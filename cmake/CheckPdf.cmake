# cmake -DPDF=<file> -P CheckPdf.cmake: fails unless <file> exists and is a PDF.
if(NOT PDF OR NOT EXISTS "${PDF}")
  message(FATAL_ERROR "The user's guide was not produced: ${PDF}")
endif()
file(READ "${PDF}" head LIMIT 4 HEX)
if(NOT head STREQUAL "25504446")  # "%PDF"
  file(REMOVE "${PDF}")
  message(FATAL_ERROR "${PDF} is not a PDF file (its first bytes are ${head})")
endif()
