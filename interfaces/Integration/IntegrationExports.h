#ifndef INTEGRATION_EXPORTS_H
#define INTEGRATION_EXPORTS_H

// The exports of an integration library: a plug-in that makes its own window inside a
// host window and answers generic requests. Hosts look the six exports up by name at
// run time (INTEGRATION_EXPORT_* below); a library defines them with INTEGRATION_API.
// Texts are NUL-terminated UTF-8 JSON. Plain C linkage and calling convention, so the
// exported names are undecorated.

#include <windows.h>

#ifdef __cplusplus
#  define INTEGRATION_EXTERN_C extern "C"
#else
#  define INTEGRATION_EXTERN_C
#endif

#if defined(_WIN32)
#  define INTEGRATION_API INTEGRATION_EXTERN_C __declspec(dllexport)
#else
#  define INTEGRATION_API INTEGRATION_EXTERN_C __attribute__((visibility("default")))
#endif

// How a library reports to its host: the library window concerned and a message. The
// text belongs to the library; the host neither keeps nor releases it. May be called
// on any thread.
typedef void (*IntegrationCallBack)(HWND hWnd, const char *pszJson);

// setIntegrationCallBack(callback): called once after each load.
typedef void (*PFN_setIntegrationCallBack)(IntegrationCallBack pfnCallBack);
// createWnd(host window) -> the library's window, a child of the host; NULL on failure.
typedef HWND (*PFN_createWnd)(HWND hParent);
// destroyWnd(library window)
typedef void (*PFN_destroyWnd)(HWND hWnd);
// requestInterface(library window, request) -> answer owned by the library, or NULL;
// handed back through freeMsgBuffer.
typedef char *(*PFN_requestInterface)(HWND hWnd, const char *pszParams);
// freeMsgBuffer(library window, answer of requestInterface)
typedef void (*PFN_freeMsgBuffer)(HWND hWnd, char *pszBuffer);
// cleanup(): before the library is unloaded.
typedef void (*PFN_cleanup)(void);

#define INTEGRATION_EXPORT_SET_CALLBACK "setIntegrationCallBack"
#define INTEGRATION_EXPORT_CREATE_WND "createWnd"
#define INTEGRATION_EXPORT_DESTROY_WND "destroyWnd"
#define INTEGRATION_EXPORT_REQUEST_INTERFACE "requestInterface"
#define INTEGRATION_EXPORT_FREE_MSG_BUFFER "freeMsgBuffer"
#define INTEGRATION_EXPORT_CLEANUP "cleanup"

// A library includes this header with INTEGRATION_LIBRARY defined, so that its
// definitions are checked against these prototypes.
#ifdef INTEGRATION_LIBRARY
INTEGRATION_API void setIntegrationCallBack(IntegrationCallBack pfnCallBack);
INTEGRATION_API HWND createWnd(HWND hParent);
INTEGRATION_API void destroyWnd(HWND hWnd);
INTEGRATION_API char *requestInterface(HWND hWnd, const char *pszParams);
INTEGRATION_API void freeMsgBuffer(HWND hWnd, char *pszBuffer);
INTEGRATION_API void cleanup(void);
#endif

#endif // INTEGRATION_EXPORTS_H
