// The designer on Windows: not part of this build yet (its crash recovery and its window are
// Linux's), which the command says rather than failing in some other way.
#include <iostream>

#include "app/Commands.h"

namespace Commands {

int Design(const TDesignOptions&) {
    std::cerr << "quillmere design: the form designer is not part of the Windows build\n";
    return 1;
}

}  // namespace Commands
