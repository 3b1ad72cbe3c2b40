#include "CollectionWatch.h"

#include <algorithm>
#include <vector>

namespace WindowControlNode {

namespace {

struct Watch
{
    std::vector<napi_ref> objects;     // in creation order, not yet told
    napi_ref sentinel = nullptr;       // a weak reference to an object nothing else holds
};

// Never destroyed by static destructors: finalizers may run at the environment's end.
Watch &watch()
{
    static Watch *pWatch = new Watch;
    return *pWatch;
}

bool isEmpty(napi_env env, napi_ref ref)
{
    napi_value value = nullptr;
    return napi_get_reference_value(env, ref, &value) != napi_ok || !value;
}

} // namespace

void watchCollection(napi_ref object)
{
    watch().objects.push_back(object);
}

bool forgetCollection(napi_ref object)
{
    std::vector<napi_ref> &objects = watch().objects;
    const auto it = std::find(objects.begin(), objects.end(), object);
    if (it == objects.end())
        return false;
    objects.erase(it);
    return true;
}

bool sweepCollected(napi_env env)
{
    // Every collection, young or full, takes the sentinel, which nothing holds: while it
    // is there no watched object can have gone, and the sweep costs one look.
    Watch &w = watch();
    if (w.sentinel && !isEmpty(env, w.sentinel))
        return false;
    if (w.sentinel)
        napi_delete_reference(env, w.sentinel);
    w.sentinel = nullptr;
    napi_value sentinel;
    if (napi_create_object(env, &sentinel) == napi_ok)
        napi_create_reference(env, sentinel, 0, &w.sentinel);

    const auto gone = std::remove_if(w.objects.begin(), w.objects.end(),
                                     [env](napi_ref object) { return isEmpty(env, object); });
    const bool bCollected = gone != w.objects.end();
    w.objects.erase(gone, w.objects.end());
    return bCollected;
}

void releaseCollectionWatch(napi_env env)
{
    Watch &w = watch();
    if (w.sentinel)
        napi_delete_reference(env, w.sentinel);
    w.sentinel = nullptr;
}

} // namespace WindowControlNode
