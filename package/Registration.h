// The package's classes, made known to the framework by each unit's Register.
#pragma once

namespace Quillmereall {

// Runs the Register of every unit of the package; calling it again changes nothing.
void RegisterUnits();

}  // namespace Quillmereall
