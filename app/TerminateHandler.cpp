// The program's handler for an exception that nothing caught. The runtime's own handler
// prints the exception's demangled type name to a console this windowed program does not
// have, and brings the whole C++ name demangler (some 46 KB) into a program that must
// fit on the first installation floppy; ending at once is all that is left to do.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
