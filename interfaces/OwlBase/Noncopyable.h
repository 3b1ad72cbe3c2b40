#ifndef OWLBASE_NONCOPYABLE_H
#define OWLBASE_NONCOPYABLE_H

namespace Owl {
namespace Base {

// Private base of classes that must be neither copied nor assigned.
class CNoncopyable
{
protected:
    CNoncopyable() = default;
    ~CNoncopyable() = default;

private:
    CNoncopyable(const CNoncopyable &) = delete;
    CNoncopyable &operator=(const CNoncopyable &) = delete;
};

} // namespace Base
} // namespace Owl

#endif // OWLBASE_NONCOPYABLE_H
