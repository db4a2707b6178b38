#include "controls/TMemo.h"

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"

namespace {

// The lines of a text, split at CR LF, LF or CR alone.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

}  // namespace

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TStringList>()) {
    SetMultiLine(true);
    SetBounds(Left(), Top(), 185, 89);
    FLines->OnChange = [this] {
        if (FSyncing) return;
        std::string text;
        for (int i = 0; i < FLines->Count(); ++i) text += (i ? "\r\n" : "") + (*FLines)[i];
        FSyncing = true;
        SetText(text);
        FSyncing = false;
    };
}

TMemo::~TMemo() {
    FLines->OnChange = nullptr;
}

void TMemo::Change() {
    if (!FSyncing) {
        FSyncing = true;
        std::vector<std::string> lines = SplitLines(Text());
        // An empty memo has no lines, as an empty list stores none.
        if (lines.size() == 1 && lines.front().empty()) lines.clear();
        FLines->SetAll(std::move(lines));
        FSyncing = false;
    }
    TCustomEdit::Change();
}

const TClassInfo& TMemo::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    namespace E = EditProps;
    using M = TMemo;
    static const TClassInfo info{
        "TMemo",
        &TCustomEdit::StaticClassInfo(),
        "StdCtrls",
        {
            P::Align(),
            P::Anchors(),
            E::BorderStyle(),
            P::Color(clWindow),
            P::Constraints(),
            P::Ctl3D(),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            P::Enabled(),
            P::Font(),
            Obj("Lines", TypeInfoClass(TStringList::StaticClassInfo()), &M::Lines, &M::SetLines),
            E::MaxLength(),
            P::ParentColor(false),
            P::ParentCtl3D(),
            P::ParentFont(),
            P::ParentShowHint(),
            P::PopupMenu(),
            E::ReadOnly(),
            P::ShowHint(),
            P::TabOrder(),
            P::TabStop(true),
            P::Visible(),
            E::OnChange(),
            P::OnClick(),
            P::OnDblClick(),
            P::OnEnter(),
            P::OnExit(),
            P::OnKeyDown(),
            P::OnKeyPress(),
            P::OnKeyUp(),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TMemo(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TMemo::StaticClassInfo());
}  // namespace
