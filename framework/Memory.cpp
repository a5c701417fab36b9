// The allocation operators of a program built on the framework: over the
// process heap, null when memory runs out, as the program's checks expect.
// They stand in for the C++ runtime's, whose throwing new would bring the
// whole exception machinery into the program. Only the program links them:
// a test program keeps the runtime's own.
#include <windows.h>
#include <new>

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1);
}

void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }

void operator delete(void* p) noexcept
{
    if (p)
        ::HeapFree(::GetProcessHeap(), 0, p);
}

void operator delete[](void* p) noexcept { operator delete(p); }

void operator delete(void* p, size_t) noexcept { operator delete(p); }

void operator delete[](void* p, size_t) noexcept { operator delete(p); }
