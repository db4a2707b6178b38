#include "panels/Qelpanel.h"

#include "classes/TClassRegistry.h"
#include "panels/TQELGradient.h"

namespace Qelpanel {

void Register() {
    TClassRegistry::RegisterClass(TQELGradient::StaticClassInfo());
}

}  // namespace Qelpanel
