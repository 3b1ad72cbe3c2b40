#ifndef VARAVOZOV_EXPORT_H
#define VARAVOZOV_EXPORT_H

// VARAVOZOV_LIBRARY is defined only while building the library itself.
#if defined(_WIN32)
#  if defined(VARAVOZOV_LIBRARY)
#    define VARAVOZOV_EXPORT __declspec(dllexport)
#  else
#    define VARAVOZOV_EXPORT __declspec(dllimport)
#  endif
#else
#  define VARAVOZOV_EXPORT __attribute__((visibility("default")))
#endif

#endif // VARAVOZOV_EXPORT_H
