// A unit's initialization count, the one piece of state the framework keeps for every unit of a
// package: the unit table's initialization procedure raises it and the finalization procedure
// lowers it, so that a unit shared by several packages is started once and ended once.
#pragma once

#include <string>
#include <vector>

class TUnitState {
public:
    // Lives as long as the module that holds the unit; known by name while it does.
    explicit TUnitState(const char* name);
    ~TUnitState();
    TUnitState(const TUnitState&) = delete;
    TUnitState& operator=(const TUnitState&) = delete;

    const char* Name() const { return FName; }
    int InitCount() const { return FInitCount; }
    // True when this call started the unit (the count was 0).
    bool Initialize() { return FInitCount++ == 0; }
    // True when this call ended the unit (the count came back to 0). A count already at 0
    // stays there.
    bool Finalize() { return FInitCount > 0 && --FInitCount == 0; }

    // The unit of that name (case-insensitive) among the loaded modules, or null; the first
    // one loaded when two modules hold a unit of that name.
    static const TUnitState* Find(const std::string& name);
    static std::vector<const TUnitState*> All();

private:
    const char* FName;
    int FInitCount = 0;
};
