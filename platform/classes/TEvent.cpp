#include "classes/TEvent.h"

std::map<std::string, std::any>& TEventHandlers::Map() {
    static auto& m = *new std::map<std::string, std::any>;
    return m;
}

std::mutex& TEventHandlers::Mutex() {
    static auto& m = *new std::mutex;
    return m;
}
