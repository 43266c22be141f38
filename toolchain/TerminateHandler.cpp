// libstdc++'s default terminate handler prints the type of the exception
// that ended the program, and for that links the whole C++ demangler (about
// 45 KB). Every entry of ours is guarded and reports in a message box, so
// nothing is left for it to say: this definition, found before the
// library's, makes terminate abort at once. MinGW builds only.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
