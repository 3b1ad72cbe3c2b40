#ifndef OWLBASE_SINGLETON_H
#define OWLBASE_SINGLETON_H

#include "Noncopyable.h"

namespace Owl {
namespace Base {

// Base of a class with one instance per module. The accessor and the instance
// storage belong to the module that uses the class: it defines
//
//     template<> T *Owl::Base::CSingleton<T>::GetInstance() { ... }
//
// (declared as well, without body, right after T's class in T's header) beside T, with its own instance pointer and creation lock, so that each module
// owns its instance and decides when it goes away.
template <typename T>
class CSingleton : private CNoncopyable
{
public:
    static T *GetInstance();

protected:
    CSingleton() = default;
    ~CSingleton() = default;
};

} // namespace Base
} // namespace Owl

#endif // OWLBASE_SINGLETON_H
