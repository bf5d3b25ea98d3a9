// The window tests' memory: every block freed through delete is overwritten
// and held back from the heap for a while. Wine runs no sanitizer, and a
// freed object usually keeps its old contents (or the heap's own links, which
// look like pointers), so code that goes on using one - a handler freed the
// control whose drag is still running - would pass unseen; with the contents
// overwritten it reads garbage and fails at once. The last Quarantine blocks
// stay overwritten until later frees push them out.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t Quarantine = 1024;

std::atomic_flag Lock = ATOMIC_FLAG_INIT;
void* Held[Quarantine] = {};
size_t Next = 0;

}  // namespace

void* operator new(std::size_t size)
{
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}

void operator delete(void* memory) noexcept
{
    if (memory == nullptr)
        return;
    std::memset(memory, 0xDD, _msize(memory));
    while (Lock.test_and_set(std::memory_order_acquire)) {
    }
    void* oldest = Held[Next];
    Held[Next] = memory;
    Next = (Next + 1) % Quarantine;
    Lock.clear(std::memory_order_release);
    std::free(oldest);
}

void operator delete(void* memory, std::size_t) noexcept
{
    operator delete(memory);
}
