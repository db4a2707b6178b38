#include "package/Registration.h"

#include "panels/Qelpanel.h"

namespace Quillmereall {

void RegisterUnits() {
    Qelpanel::Register();
}

}  // namespace Quillmereall
