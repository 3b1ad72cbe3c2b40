#pragma once

#include <windows.h>

#include <QByteArray>

namespace sample {

// One request to a library window, as requestInterface gets it (UTF-8 JSON text, any
// text at all accepted). What the parameters ask for:
//   "answer": "array" | "text" | "string" | "none" — an answer that is no JSON object
//             (a JSON array, plain text, a JSON string, no answer at all);
//   "push": "now" | "text" | "nobody" — a message pushed at once, on the calling thread:
//             about this window, plain text, or naming no window;
//   "burst": N, "interval": ms — a thread of the library's own pushes N messages about
//             this window ({"burst":id,"index":i,"of":N});
// and otherwise the answer is {"count": requests so far for this window, "echo": the
// parameters, "library": the library's counters, "title": "Sample plug-in"}.
struct Answer
{
    bool bNone = false;        // requestInterface returns null
    QByteArray text;
};
Answer answerRequest(HWND hWnd, const char *pszParams);

} // namespace sample
