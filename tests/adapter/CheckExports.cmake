# The library exports exactly its twenty entry points, with plain C names.
execute_process(COMMAND nm -D --defined-only ${LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm failed on ${LIB}")
endif()
string(REGEX MATCHALL "[ \t][TtDdBbRrWwVv] [^\n]+" entries "${symbols}")
set(names)
foreach(entry ${entries})
  string(REGEX REPLACE "^[ \t][A-Za-z] ([^@\n]+).*" "\\1" name "${entry}")
  if(NOT name MATCHES "^TLX_K5_1$")
    list(APPEND names ${name})
  endif()
endforeach()
list(SORT names)
set(expected TLX_AllDelTelList TLX_DelHistoryData TLX_DelTelList TLX_ErrInfo TLX_Exit
  TLX_Extension TLX_GetHistoryData TLX_GetIDData TLX_GetState TLX_GetTelList TLX_InfoDLL
  TLX_InfoMode TLX_InfoOff TLX_Init TLX_SetDate TLX_SetDayTime TLX_SetTelList TLX_SetTime
  TLX_WatchTimerOff TLX_WatchTimerOn)
list(SORT expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports differ:\n  got      ${names}\n  expected ${expected}")
endif()
