// GCC's default terminate handler prints the demangled type of an uncaught
// exception, which links the whole demangler into the exe. Nothing reads a
// console here: a program that cannot go on just stops.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler();
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif
