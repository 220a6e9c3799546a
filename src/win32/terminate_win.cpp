// GCC's default terminate handler prints the demangled type of an uncaught
// exception, which links the whole demangler into the exe. Nothing reads a
// console here: a program that cannot go on just stops.
//
// The same holds for the exceptions the standard library throws where the
// program breaks its own rules (an index past a string's end, a length
// beyond the largest): nothing catches them, so they end the program through
// the handler. Thrown, they link the library's exception classes and, with
// them, a second whole string implementation (about 30 KB); stopped here at
// once, they end it the same way without.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler();
[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// Every function of libstdc++'s functexcept.o, so that none of it is linked.
namespace std {
[[noreturn]] void __throw_bad_cast();
[[noreturn]] void __throw_bad_alloc();
[[noreturn]] void __throw_bad_typeid();
[[noreturn]] void __throw_bad_exception();
[[noreturn]] void __throw_bad_array_new_length();
[[noreturn]] void __throw_logic_error(const char*);
[[noreturn]] void __throw_range_error(const char*);
[[noreturn]] void __throw_domain_error(const char*);
[[noreturn]] void __throw_length_error(const char*);
[[noreturn]] void __throw_out_of_range(const char*);
[[noreturn]] void __throw_runtime_error(const char*);
[[noreturn]] void __throw_overflow_error(const char*);
[[noreturn]] void __throw_underflow_error(const char*);
[[noreturn]] void __throw_invalid_argument(const char*);
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...);

void __throw_bad_cast() {
    std::abort();
}
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_typeid() {
    std::abort();
}
void __throw_bad_exception() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_range_error(const char*) {
    std::abort();
}
void __throw_domain_error(const char*) {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_out_of_range(const char*) {
    std::abort();
}
void __throw_runtime_error(const char*) {
    std::abort();
}
void __throw_overflow_error(const char*) {
    std::abort();
}
void __throw_underflow_error(const char*) {
    std::abort();
}
void __throw_invalid_argument(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
}  // namespace std
#endif
