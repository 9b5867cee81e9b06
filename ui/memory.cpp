// Every request for memory in the program goes through here. One that
// cannot be met is a fatal error, reported with the number of bytes asked
// for; nothing sees a std::bad_alloc.
#include <cstdlib>
#include <new>

#include "ui/program.h"

namespace ui {

namespace {
void* allocate_from_heap(std::size_t bytes) { return std::malloc(bytes != 0 ? bytes : 1); }
}  // namespace

void* (*allocate_bytes)(std::size_t bytes) = allocate_from_heap;

}  // namespace ui

void* operator new(std::size_t bytes) {
    if (void* memory = ui::allocate_bytes(bytes)) return memory;
    ui::report_allocation_failure(bytes);
}

void* operator new[](std::size_t bytes) { return ::operator new(bytes); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
