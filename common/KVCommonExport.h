#pragma once

// Symbols of the common library that other parts of the system may call.
#if defined(_WIN32)
#  if defined(KVCOMMON_BUILDING)
#    define KVCOMMON_EXPORT __declspec(dllexport)
#  else
#    define KVCOMMON_EXPORT __declspec(dllimport)
#  endif
#else
#  define KVCOMMON_EXPORT __attribute__((visibility("default")))
#endif
