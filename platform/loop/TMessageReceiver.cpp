#include "loop/TMessageReceiver.h"

#include "loop/TMessageLoop.h"

TMessageReceiver::TMessageReceiver() : FLoop(&TMessageLoop::Current()) {
    FLoop->Register(this);
}

TMessageReceiver::~TMessageReceiver() {
    if (FLoop) FLoop->Forget(this);
}

void TMessageReceiver::SetTimer(std::uintptr_t id, std::uint32_t interval) {
    if (FLoop) FLoop->SetTimer(this, id, interval);
}

bool TMessageReceiver::KillTimer(std::uintptr_t id) {
    return FLoop && FLoop->KillTimer(this, id);
}

void TMessageReceiver::PostMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
    if (FLoop) FLoop->Post(this, TMessage{msg, wparam, lparam, 0});
}
