// Event properties: a handler and the name it is known by, so that form files can bind
// "OnClick = ButtonClick" to a handler the application registered under that name.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
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

// A control has a score of events and most are never set: an event takes the room of a
// pointer, and the handler and its name are kept apart once one is set.
template <class... A>
class TEvent {
public:
    using THandler = std::function<void(A...)>;

    TEvent() = default;
    TEvent(const TEvent& other)
        : FBound(other.FBound ? std::make_unique<TBound>(*other.FBound) : nullptr) {}
    TEvent& operator=(const TEvent& other) {
        if (this != &other)
            FBound = other.FBound ? std::make_unique<TBound>(*other.FBound) : nullptr;
        return *this;
    }
    TEvent(TEvent&&) noexcept = default;
    TEvent& operator=(TEvent&&) noexcept = default;

    // The handler's name as form files write it; empty when unnamed.
    std::string Name() const { return FBound ? FBound->Name : std::string(); }
    THandler Handler() const { return FBound ? FBound->Handler : THandler(); }

    explicit operator bool() const { return FBound && FBound->Handler; }
    void operator()(A... args) const {
        if (FBound && FBound->Handler) FBound->Handler(args...);
    }
    // Sets the handler; the name stays.
    TEvent& operator=(THandler handler) {
        if (handler || FBound) Bound().Handler = std::move(handler);
        return *this;
    }
    // Binds to the handler registered under name; an empty name clears the event.
    void Bind(const std::string& name) {
        if (name.empty()) {
            FBound.reset();
            return;
        }
        TBound& bound = Bound();
        bound.Name = name;
        bound.Handler = nullptr;
        std::any found = TEventHandlers::Find(name);
        if (auto* fn = std::any_cast<THandler>(&found)) bound.Handler = *fn;
    }

private:
    struct TBound {
        std::string Name;
        THandler Handler;
    };
    TBound& Bound() {
        if (!FBound) FBound = std::make_unique<TBound>();
        return *FBound;
    }

    std::unique_ptr<TBound> FBound;
};

// The event of most notifications: the object that sends it.
using TNotifyEvent = TEvent<TPersistent*>;
