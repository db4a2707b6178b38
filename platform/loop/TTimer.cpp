#include "loop/TTimer.h"

#include "classes/TypInfo.h"

namespace {
constexpr std::uintptr_t kTimerId = 1;

const TTypeInfo* TypeInfoCardinal() {
    static const TTypeInfo t{TTypeKind::tkInteger, "Cardinal", "System", TOrdType::otULong};
    return &t;
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    FWindow.KillTimer(kTimerId);
}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t value) {
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    FWindow.KillTimer(kTimerId);
    if (FEnabled && FInterval != 0) FWindow.SetTimer(kTimerId, FInterval);
}

void TTimer::Timer() {
    OnTimer(this);
}

void TTimer::TTimerWindow::ReceiveMessage(TMessage& message) {
    if (message.Msg == WM_TIMER) FTimer.Timer();
}

const TClassInfo& TTimer::StaticClassInfo() {
    using namespace PropBuild;
    static const TClassInfo info{
        "TTimer",
        &TComponent::StaticClassInfo(),
        "ExtCtrls",
        {
            Ord("Enabled", TypeInfoBoolean(), &TTimer::Enabled, &TTimer::SetEnabled, 1),
            Ord("Interval", TypeInfoCardinal(), &TTimer::Interval, &TTimer::SetInterval, 1000),
            Event("OnTimer", TypeInfoNotifyEvent(), &TTimer::OnTimer),
        },
        [](TComponent* owner) -> TComponent* { return new TTimer(owner); }};
    return info;
}
