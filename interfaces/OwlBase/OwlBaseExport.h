#ifndef OWLBASE_EXPORT_H
#define OWLBASE_EXPORT_H

// OWLBASE_LIBRARY is defined only while building the library itself.
#if defined(_WIN32)
#  if defined(OWLBASE_LIBRARY)
#    define OWLBASE_EXPORT __declspec(dllexport)
#  else
#    define OWLBASE_EXPORT __declspec(dllimport)
#  endif
#else
#  define OWLBASE_EXPORT __attribute__((visibility("default")))
#endif

#endif // OWLBASE_EXPORT_H
