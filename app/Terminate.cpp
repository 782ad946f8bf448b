// libstdc++'s default terminate handler prints the exception's demangled type, which links in
// the whole demangler (about 45 KB). The program throws nothing across its own code, so a
// plain abort is all that handler needs to do.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
