#include "controls/TForm.h"

#include <deque>
#include <mutex>

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"

namespace {

// The user form classes met so far; they live as long as the program, as classes do.
const TClassInfo& UserFormClass(const std::string& className) {
    struct TUserClass {
        std::string Name;
        TClassInfo Info;
    };
    static std::mutex mutex;
    static std::deque<TUserClass> classes;
    std::lock_guard lock(mutex);
    for (const TUserClass& c : classes)
        if (SameText(c.Name, className)) return c.Info;
    TUserClass& c = classes.emplace_back();
    c.Name = className;
    c.Info = TClassInfo{c.Name.c_str(), &TForm::StaticClassInfo(), "", {}, nullptr};
    return c.Info;
}

// The framework's form class is known to form files from the start.
const TClassRegistry::TClassRegistration kFormClass(TForm::StaticClassInfo());

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 435, 300);
}

const TClassInfo* TForm::ClassInfo() const {
    return FClassInfo ? FClassInfo : &StaticClassInfo();
}

void TForm::SetFormClassName(const std::string& className) {
    FClassInfo = SameText(className, StaticClassInfo().Name) ? nullptr : &UserFormClass(className);
}

void TForm::PaintWindow(HDC dc) {
    if (FDesigner && ComponentState().Contains(csDesigning)) FDesigner->PaintGrid(dc);
}

void TForm::Dispatch(TMessage& message) {
    // A top-level form shows its caption in its frame, outside the client area its host
    // paints: a new caption repaints nothing there.
    if (message.Msg == CM_TEXTCHANGED && !Parent()) return;
    TWinControl::Dispatch(message);
}

TForm* GetParentForm(TControl* control) {
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TForm*>(control);
}

int TForm::TextHeight() const { return Font()->TextMetrics().tmHeight; }

const TClassInfo& TForm::StaticClassInfo() {
    using namespace PropBuild;
    using F = TForm;
    // A form's colour has no streaming default, so that it is always written; its font does
    // not follow a parent, and ParentFont is stored only when it is True.
    static const TClassInfo info{
        "TForm",
        &TWinControl::StaticClassInfo(),
        "Forms",
        {
            NotStored(Ord("Width", TypeInfoInteger(), &F::Width, &F::SetWidth)),
            NotStored(Ord("Height", TypeInfoInteger(), &F::Height, &F::SetHeight)),
            ControlProps::Caption(),
            Ord("ClientHeight", TypeInfoInteger(), &F::ClientHeightValue, &F::SetClientHeightValue),
            Ord("ClientWidth", TypeInfoInteger(), &F::ClientWidthValue, &F::SetClientWidthValue),
            [] {
                TPropInfo p = ControlProps::Color(clBtnFace);
                p.Default.reset();
                return p;
            }(),
            [] {
                TPropInfo p = ControlProps::ParentFont();
                p.Default = 0;
                return p;
            }(),
            ControlProps::Font(),
            Ord("OldCreateOrder", TypeInfoBoolean(), &F::OldCreateOrder, &F::SetOldCreateOrder),
            Ord("PixelsPerInch", TypeInfoInteger(), &F::PixelsPerInch, &F::SetPixelsPerInch),
            Ord("TextHeight", TypeInfoInteger(), &F::TextHeight, &F::SetTextHeight),
        },
        [](TComponent* owner) -> TComponent* { return new TForm(owner); }};
    return info;
}
