// The standard library reports a misuse (a length or position out of range)
// or a failed allocation through these functions. Its own versions build
// std::logic_error and its kin, whose message strings bring the library's
// second, copy-on-write string and its instantiations into the program
// (40 KB and more). The program catches every exception with catch (...),
// so it only needs an exception that carries the message: these replace the
// library's versions at link time. The allocation failures keep their types.
#include <exception>
#include <new>
#include <typeinfo>

#if defined(__GLIBCXX__)
namespace {

class LibraryError : public std::exception {
 public:
  explicit LibraryError(const char* message) noexcept : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

[[noreturn]] void Throw(const char* message) { throw LibraryError(message); }

}  // namespace

namespace std {
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* message) { Throw(message); }
void __throw_domain_error(const char* message) { Throw(message); }
void __throw_invalid_argument(const char* message) { Throw(message); }
void __throw_length_error(const char* message) { Throw(message); }
void __throw_out_of_range(const char* message) { Throw(message); }
void __throw_out_of_range_fmt(const char* format, ...) { Throw(format); }
void __throw_runtime_error(const char* message) { Throw(message); }
void __throw_range_error(const char* message) { Throw(message); }
void __throw_overflow_error(const char* message) { Throw(message); }
void __throw_underflow_error(const char* message) { Throw(message); }
}  // namespace std
#endif
