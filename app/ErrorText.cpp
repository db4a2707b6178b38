#include <new>
#include <stdexcept>

#include "app/Commands.h"

namespace Commands {

std::string ErrorText(const std::exception& e) {
    // A size no allocation can meet ends in std::length_error; both mean the same to a user.
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
        return "not enough memory for what the input asks";
    return e.what();
}

}  // namespace Commands
