// libstdc++ raises its errors through these helpers, which it defines all in
// one object that links every standard exception class and, for their
// messages, its old reference-counted std::string (about 55 KB in each
// executable). These definitions, found before the library's, throw the
// same message in one small type instead; nothing of ours catches the
// standard classes by name, and the callback boundary reports what() as
// before. MinGW builds only.
#include <bits/functexcept.h>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryFailure final : public std::exception {
public:
    // The library passes literals, which outlive the exception.
    explicit LibraryFailure(const char* what) noexcept : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

} // namespace

namespace std {

void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}
void __throw_logic_error(const char* what) {
    throw LibraryFailure(what);
}
void __throw_domain_error(const char* what) {
    throw LibraryFailure(what);
}
void __throw_invalid_argument(const char* what) {
    throw LibraryFailure(what);
}
void __throw_length_error(const char* what) {
    throw LibraryFailure(what);
}
void __throw_out_of_range(const char* what) {
    throw LibraryFailure(what);
}
// The numbers the format would take are left out.
void __throw_out_of_range_fmt(const char* format, ...) {
    throw LibraryFailure(format);
}
void __throw_runtime_error(const char* what) {
    throw LibraryFailure(what);
}
void __throw_range_error(const char* what) {
    throw LibraryFailure(what);
}
void __throw_overflow_error(const char* what) {
    throw LibraryFailure(what);
}
void __throw_underflow_error(const char* what) {
    throw LibraryFailure(what);
}

} // namespace std
