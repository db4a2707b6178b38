// Event properties: a handler and the name it is known by, so that form files can bind
// "OnClick = ButtonClick" to a handler the application registered under that name.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <mutex>
#include <string>

class TPersistent;

// Handlers registered by name. A handler is stored as the std::function of its event's
// signature; binding an event to a handler of another signature leaves the event unbound.
class TEventHandlers {
public:
    template <class... A>
    static void Register(const std::string& name, std::function<void(A...)> handler) {
        std::lock_guard lock(Mutex());
        Map()[name] = std::move(handler);
    }
    static void Unregister(const std::string& name) {
        std::lock_guard lock(Mutex());
        Map().erase(name);
    }
    static std::any Find(const std::string& name) {
        std::lock_guard lock(Mutex());
        auto it = Map().find(name);
        return it == Map().end() ? std::any{} : it->second;
    }

private:
    // One registry for the whole program, defined out of line: every library that includes
    // this header shares it, also where each library has its own copy of inline code.
    static std::map<std::string, std::any>& Map();
    static std::mutex& Mutex();
};

template <class... A>
struct TEvent {
    std::string Name;  // the handler's name as form files write it; empty when unnamed
    std::function<void(A...)> Handler;

    explicit operator bool() const { return static_cast<bool>(Handler); }
    void operator()(A... args) const {
        if (Handler) Handler(args...);
    }
    TEvent& operator=(std::function<void(A...)> handler) {
        Handler = std::move(handler);
        return *this;
    }
    // Binds to the handler registered under name; an empty name clears the event.
    void Bind(const std::string& name) {
        Name = name;
        Handler = nullptr;
        if (name.empty()) return;
        std::any found = TEventHandlers::Find(name);
        if (auto* fn = std::any_cast<std::function<void(A...)>>(&found)) Handler = *fn;
    }
};

// The event of most notifications: the object that sends it.
using TNotifyEvent = TEvent<TPersistent*>;
