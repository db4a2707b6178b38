#include "designer/TDesigner.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "classes/TClassRegistry.h"
#include "controls/TClipboard.h"
#include "core/AnsiText.h"
#include "core/SysColors.h"
#include "designer/PropertyText.h"
#include "designer/TFormOutline.h"
#include "designer/TRecovery.h"
#include "gdi/TBitmapImage.h"
#include "graphics/TCanvas.h"
#include "loop/TTimer.h"
#include "streaming/EFilerError.h"
#include "streaming/TReader.h"
#include "streaming/TWriter.h"

namespace fs = std::filesystem;

// The form's host: a headless host whose paint passes the designer's listeners hear of.
class TDesigner::TFormHost final : public THeadlessHost {
public:
    TFormHost(TWinControl* form, TDesigner& designer) : THeadlessHost(form), FDesigner(designer) {}

protected:
    void Presented(const TRect& area) override {
        for (TDesignerListener* l : FDesigner.FListeners) l->FormPainted(area);
    }

private:
    TDesigner& FDesigner;
};

namespace {

constexpr int kAutosaveInterval = 60000;

bool Derives(const TClassInfo* cls, const TClassInfo& base) {
    for (; cls; cls = cls->Parent)
        if (cls == &base) return true;
    return false;
}

// Division rounding toward minus infinity, for grid lines left of and above the origin.
int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool SamePath(const std::string& a, const std::string& b) {
    std::error_code ec;
    const fs::path pa = fs::weakly_canonical(a, ec);
    const fs::path pb = fs::weakly_canonical(b, ec);
    return pa == pb;
}

std::string EndsIn(const std::string& path) {
    return LowerCase(fs::path(path).extension().string());
}

}  // namespace

TDesigner::TDesigner() {
    New();
}

TDesigner::~TDesigner() {
    FAutosaveTimer.reset();
    FHost.reset();
    FForm.reset();
}

// ---------------------------------------------------------------------------------------------
// Documents.

std::unique_ptr<TForm> TDesigner::ReadDesigned(std::span<const std::uint8_t> bytes) {
    std::unique_ptr<TForm> form = FormFiles::ReadForm(bytes);
    form->SetDesigning(true);
    form->SetDesigner(this);
    return form;
}

std::vector<std::uint8_t> TDesigner::Canonical(std::span<const std::uint8_t> fileBytes) {
    std::unique_ptr<TForm> form = ReadDesigned(fileBytes);
    // Shown as the designed form is: making its windows may set what fonts decide.
    THeadlessHost host(form.get());
    return FormFiles::WriteBinary(*form);
}

void TDesigner::Show(std::unique_ptr<TForm> form) {
    CancelGesture();
    FHost.reset();
    FForm.reset();
    FSelection.clear();
    FForm = std::move(form);
    FHost = std::make_unique<TFormHost>(FForm.get(), *this);
}

void TDesigner::StartDocument(TFormDocument document, const std::string& path) {
    FDocument = std::move(document);
    FFileName = path;
    FUndo.clear();
    FRedo.clear();
    FIds.clear();
    AssignIds();
    FDocumentNames.clear();
    for (const auto& [component, id] : FIds) FDocumentNames[id] = component->Name();
    FStream = FormFiles::WriteBinary(*FForm);
    FLoadedStream = FSavedStream = FStream;
    FSelection = {FForm.get()};
    if (FRecovery) FRecovery = std::make_unique<TRecovery>(FRecoveryDir, FFileName);
    Notify(&TDesignerListener::FormReplaced);
    Notify(&TDesignerListener::SelectionChanged);
}

void TDesigner::New(const std::string& formClass, const std::string& path) {
    std::unique_ptr<TForm> form;
    const TClassInfo* cls = TClassRegistry::FindClass(formClass);
    if (cls && cls->Create && Derives(cls, TForm::StaticClassInfo())) {
        form.reset(static_cast<TForm*>(cls->Create(nullptr)));
    } else if (cls) {
        throw EDesignError(formClass + " is not a form class");
    } else {
        if (!IsValidIdent(formClass)) throw EDesignError("'" + formClass + "' is not a class name");
        form = std::make_unique<TForm>(nullptr);
        form->SetFormClassName(formClass);
    }
    form->SetName("Form1");
    form->SetCaption("Form1");
    form->SetDesigning(true);
    form->SetDesigner(this);
    Show(std::move(form));
    StartDocument(TFormDocument(), path);
}

void TDesigner::Open(const std::string& path) {
    Load(FormFiles::ReadFile(path), path);
}

void TDesigner::Load(std::vector<std::uint8_t> bytes, const std::string& path) {
    std::unique_ptr<TForm> form;
    try {
        form = ReadDesigned(bytes);
    } catch (const std::exception& e) {
        throw EDesignError((path.empty() ? std::string("the form") : path) + ": " + e.what());
    }
    Show(std::move(form));
    StartDocument(TFormDocument(std::move(bytes)), path);
}

TDesigner::TFormFormat TDesigner::FormatFor(const std::string& path) const {
    if (!FDocument.IsNew() && !FFileName.empty() && SamePath(path, FFileName))
        return FDocument.Format();
    return EndsIn(path) == ".dfm" ? TFormFormat::Binary : TFormFormat::Text;
}

std::vector<std::uint8_t> TDesigner::SavedBytes(TFormFormat format, bool* rewritten) {
    const TFormDocument::TSaved saved = FDocument.Save(
        FLoadedStream, FStream, [this](const std::string& name) { return OriginOf(name); }, format,
        [this](std::span<const std::uint8_t> bytes) { return Canonical(bytes); });
    if (rewritten) *rewritten = saved.Rewritten;
    return saved.Bytes;
}

void TDesigner::Save() {
    if (FFileName.empty()) throw EDesignError("the form has no file yet: save it as a file first");
    SaveAs(FFileName, FDocument.IsNew() ? FormatFor(FFileName) : FDocument.Format());
}

void TDesigner::SaveAs(const std::string& path, std::optional<TFormFormat> format) {
    bool rewritten = false;
    const std::vector<std::uint8_t> bytes =
        SavedBytes(format.value_or(FormatFor(path)), &rewritten);
    // A failed write leaves the file as it was.
    const std::string temporary = path + ".saving";
    try {
        FormFiles::WriteFile(temporary, bytes);
        std::error_code ec;
        fs::rename(temporary, path, ec);
        if (ec) throw std::runtime_error(path + ": cannot write the file: " + ec.message());
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw EDesignError(e.what());
    }
    if (FRecovery) FRecovery->Remove();
    const bool samePath = !FFileName.empty() && SamePath(path, FFileName);
    FDocument = TFormDocument(bytes);
    FFileName = path;
    FLoadedStream = FSavedStream = FStream;
    FDocumentNames.clear();
    for (const auto& [component, id] : FIds) FDocumentNames[id] = component->Name();
    FLastSaveRewritten = rewritten;
    if (FRecovery && !samePath) FRecovery = std::make_unique<TRecovery>(FRecoveryDir, FFileName);
    Notify(&TDesignerListener::FormChanged);
}

THeadlessHost& TDesigner::FormHost() const {
    return *FHost;
}

void TDesigner::Update() {
    if (FHost) FHost->PaintPending();
}

std::unique_ptr<TForm> TDesigner::PreviewForm() {
    return FormFiles::ReadForm(SavedBytes(Format()));
}

// ---------------------------------------------------------------------------------------------
// Finding components.

TComponent* TDesigner::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    if (SameText(FForm->Name(), name)) return FForm.get();
    return FForm->FindComponent(name);
}

std::vector<TComponent*> TDesigner::Components() const {
    std::vector<TComponent*> all{FForm.get()};
    std::function<void(TComponent*)> add = [&](TComponent* c) {
        all.push_back(c);
        c->GetChildren(add, FForm.get());
    };
    FForm->GetChildren(add, FForm.get());
    return all;
}

TControl* TDesigner::ControlAt(TPoint p) const {
    TWinControl* w = FForm->WindowAt(p);
    // A control's own inner windows (an edit inside a combo box) are not designed.
    while (w != FForm.get() && w->Owner() != FForm.get()) w = w->Parent();
    return w;
}

TWinControl* TDesigner::ContainerAt(TPoint p) const {
    TControl* c = ControlAt(p);
    auto* w = dynamic_cast<TWinControl*>(c);
    while (w != FForm.get() &&
           !(w && w->ControlStyle().Contains(csAcceptsControls) && FormBounds(w).Contains(p)))
        w = w ? w->Parent() : FForm.get();
    return w;
}

TRect TDesigner::FormBounds(const TControl* control) const {
    if (control == FForm.get() || !control->Parent())
        return TRect{0, 0, FForm->ClientWidth(), FForm->ClientHeight()};
    const TPoint o = control->Parent()->ClientOrigin();
    return Translated(control->BoundsRect(), o.X, o.Y);
}

std::string TDesigner::FreshName(const std::string& className) const {
    std::string base = className;
    if (!base.empty() && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
    if (base.empty()) base = "Component";
    for (int n = 1;; ++n) {
        const std::string name = base + std::to_string(n);
        if (!FindComponent(name)) return name;
    }
}

// ---------------------------------------------------------------------------------------------
// Selection.

void TDesigner::Select(std::vector<TComponent*> components) {
    std::vector<TComponent*> selection;
    for (TComponent* c : components)
        if (c && std::find(selection.begin(), selection.end(), c) == selection.end())
            selection.push_back(c);
    // The form goes with no other component.
    if (selection.size() > 1) std::erase(selection, FForm.get());
    if (selection.empty()) selection.push_back(FForm.get());
    if (selection == FSelection) return;
    FSelection = std::move(selection);
    Notify(&TDesignerListener::SelectionChanged);
}

void TDesigner::SelectByName(const std::vector<std::string>& names) {
    std::vector<TComponent*> components;
    for (const std::string& name : names) {
        TComponent* c = FindComponent(name);
        if (!c) throw EDesignError("the form has no component named " + name);
        components.push_back(c);
    }
    Select(components);
}

bool TDesigner::IsSelected(const TComponent* component) const {
    return std::find(FSelection.begin(), FSelection.end(), component) != FSelection.end();
}

std::vector<TControl*> TDesigner::SelectedControls() const {
    std::vector<TControl*> controls;
    for (TComponent* c : FSelection)
        if (auto* control = dynamic_cast<TControl*>(c); control && control != FForm.get())
            controls.push_back(control);
    return controls;
}

std::vector<TControl*> TDesigner::SelectedTops() const {
    std::vector<TControl*> tops;
    for (TControl* c : SelectedControls()) {
        bool inside = false;
        for (TControl* p = c->Parent(); p && !inside; p = p->Parent()) inside = IsSelected(p);
        if (!inside) tops.push_back(c);
    }
    return tops;
}

// ---------------------------------------------------------------------------------------------
// Undo steps.

TDesigner::TSnapshot TDesigner::Snapshot() const {
    TSnapshot s;
    s.Stream = FStream;
    for (const auto& [component, id] : FIds) s.Ids.emplace_back(component->Name(), id);
    for (TComponent* c : FSelection) s.Selection.push_back(c->Name());
    return s;
}

void TDesigner::Restore(const TSnapshot& snapshot) {
    Show(ReadDesigned(snapshot.Stream));
    FIds.clear();
    for (const auto& [name, id] : snapshot.Ids)
        if (TComponent* c = FindComponent(name)) FIds[c] = id;
    AssignIds();
    FStream = snapshot.Stream;
    std::vector<TComponent*> selection;
    for (const std::string& name : snapshot.Selection) selection.push_back(FindComponent(name));
    Notify(&TDesignerListener::FormReplaced);
    FSelection.clear();
    Select(selection);
    Notify(&TDesignerListener::SelectionChanged);
    UpdateRecovery();
}

template <class F>
void TDesigner::Edit(F&& edit) {
    TSnapshot before = Snapshot();
    try {
        edit();
    } catch (...) {
        bool changed = true;
        try {
            changed = FormFiles::WriteBinary(*FForm) != before.Stream;
        } catch (const std::exception&) {
        }
        if (changed) Restore(before);
        throw;
    }
    Commit(std::move(before));
}

void TDesigner::Commit(TSnapshot before) {
    AssignIds();
    std::vector<std::uint8_t> now = FormFiles::WriteBinary(*FForm);
    if (now == before.Stream) return;
    FUndo.push_back(std::move(before));
    FRedo.clear();
    FStream = std::move(now);
    Notify(&TDesignerListener::FormChanged);
    UpdateRecovery();
}

bool TDesigner::Undo() {
    CancelGesture();
    if (FUndo.empty()) return false;
    FRedo.push_back(Snapshot());
    const TSnapshot s = std::move(FUndo.back());
    FUndo.pop_back();
    Restore(s);
    return true;
}

bool TDesigner::Redo() {
    CancelGesture();
    if (FRedo.empty()) return false;
    FUndo.push_back(Snapshot());
    const TSnapshot s = std::move(FRedo.back());
    FRedo.pop_back();
    Restore(s);
    return true;
}

void TDesigner::AssignIds() {
    std::map<const TComponent*, int> ids;
    for (TComponent* c : Components()) {
        const auto it = FIds.find(c);
        ids[c] = it != FIds.end() ? it->second : FNextId++;
    }
    FIds = std::move(ids);
}

std::string TDesigner::OriginOf(const std::string& name) const {
    const auto id = FIds.find(FindComponent(name));
    if (id == FIds.end()) return "";
    const auto origin = FDocumentNames.find(id->second);
    return origin == FDocumentNames.end() ? "" : origin->second;
}

// ---------------------------------------------------------------------------------------------
// Commands.

TControl* TDesigner::Place(const std::string& className, TRect bounds) {
    const TClassInfo* cls = TClassRegistry::FindClass(className);
    if (!cls) throw EDesignError("no class " + className + " is registered");
    return Place(*cls, bounds);
}

TControl* TDesigner::Place(const TClassInfo& cls, TRect bounds) {
    if (!cls.Create || !Derives(&cls, TControl::StaticClassInfo()) ||
        Derives(&cls, TForm::StaticClassInfo()))
        throw EDesignError(std::string(cls.Name) +
                           " is not a control that can be placed on a form");
    TControl* placed = nullptr;
    Edit([&] {
        TWinControl* container = ContainerAt(TPoint{bounds.Left, bounds.Top});
        auto* control = dynamic_cast<TControl*>(cls.Create(FForm.get()));
        if (!control) throw EDesignError(std::string(cls.Name) + " made no control");
        control->SetName(FreshName(cls.Name));
        // A control that shows its name until it is given a caption, as designers do.
        if (control->ControlStyle().Contains(csSetCaption)) control->SetCaption(control->Name());
        const TPoint o = container->ClientOrigin();
        const int w = bounds.Width() > 0 ? bounds.Width() : control->Width();
        const int h = bounds.Height() > 0 ? bounds.Height() : control->Height();
        control->SetBounds(bounds.Left - o.X, bounds.Top - o.Y, w, h);
        control->SetParent(container);
        placed = control;
        FSelection = {control};
    });
    Notify(&TDesignerListener::SelectionChanged);
    return placed;
}

namespace {

// A property and its value as the list of one property a component stores.
std::vector<std::uint8_t> PropertyList(const std::string& name, const std::string& valueText) {
    if (valueText.empty()) throw EDesignError(name + ": no value given");
    const std::string unreadable = name + ": cannot read the value " + valueText +
                                   " (values are written as in a form file: 12, clRed, "
                                   "[fsBold], 'text', ( 'a' 'b' ))";
    const std::string text = "object A: TForm\r\n  " + name + " = " + valueText + "\r\nend\r\n";
    std::vector<std::uint8_t> stream;
    try {
        stream = FormFiles::TextToBinary(text);
    } catch (const EFilerError&) {
        throw EDesignError(unreadable);
    }
    const TFormOutline o = FormOutline::OfBinary(stream);
    if (o.Root.Properties.size() != 1 || !o.Root.Children.empty() ||
        !SameText(o.Root.Properties[0].Name, name))
        throw EDesignError(unreadable);
    return std::vector<std::uint8_t>(
        stream.begin() + static_cast<std::ptrdiff_t>(o.Root.Properties[0].Whole.Start),
        stream.begin() + static_cast<std::ptrdiff_t>(o.Root.PropertiesEnd + 1));
}

}  // namespace

void TDesigner::ApplyProperty(const std::vector<std::uint8_t>& list, TComponent& component) {
    TReader reader(list);
    try {
        reader.ReadProperties(*FForm, component);
    } catch (const EFilerError& e) {
        throw EDesignError(FSelection.size() > 1 ? component.Name() + ": " + e.Message()
                                                 : e.Message());
    }
    // A picture or a list set inside an object the control owns changes what it paints.
    if (auto* control = dynamic_cast<TControl*>(&component)) control->Invalidate();
}

void TDesigner::Rename(TComponent& component, const std::string& name) {
    if (!IsValidIdent(name)) throw EDesignError("'" + name + "' is not a valid component name");
    if (TComponent* other = FindComponent(name); other && other != &component)
        throw EDesignError("a component named " + name + " already exists");
    auto* control = dynamic_cast<TControl*>(&component);
    const bool captionFollows = control && control->ControlStyle().Contains(csSetCaption) &&
                                control->Caption() == component.Name();
    component.SetName(name);
    if (captionFollows) control->SetCaption(name);
}

void TDesigner::SetProperty(const std::string& name, const std::string& valueText) {
    if (SameText(name, "Name")) {
        if (FSelection.size() != 1) throw EDesignError("Name: select one component to rename");
        std::string value = valueText;
        if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
            value = value.substr(1, value.size() - 2);
        Edit([&] { Rename(*FSelection.front(), value); });
        return;
    }
    const std::vector<std::uint8_t> list = PropertyList(name, valueText);
    Edit([&] {
        for (TComponent* c : FSelection) ApplyProperty(list, *c);
    });
}

std::string TDesigner::PropertyText(TComponent* component, const std::string& name) const {
    if (!component) return "";
    if (SameText(name, "Name")) return component->Name();
    TPersistent* target = component;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = name.find('.', start);
        const TPropInfo* p = GetPropInfo(*target->ClassInfo(), name.substr(start, dot - start));
        if (!p) return "";
        if (dot == std::string::npos) return PropertyText::ValueOf(*target, *p);
        if (!PropertyText::IsNestedObject(*target, *p)) return "";
        target = p->GetObj(*target);
        start = dot + 1;
    }
}

void TDesigner::LoadBitmap(const std::string& property, const std::string& file) {
    std::vector<std::uint8_t> bytes;
    if (!file.empty()) {
        try {
            bytes = FormFiles::ReadFile(file);
            TBitmap check;
            check.LoadFromBytes(bytes.data(), bytes.size());
        } catch (const std::exception& e) {
            throw EDesignError(file + ": not a bitmap this framework reads: " + e.what());
        }
    }
    // The stored data: the file's length in four bytes, then the file.
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string data = "{";
    auto put = [&](std::uint8_t b) {
        data += kHex[b >> 4];
        data += kHex[b & 15];
    };
    for (int i = 0; i < 4; ++i) put(static_cast<std::uint8_t>(bytes.size() >> (8 * i)));
    for (std::uint8_t b : bytes) put(b);
    SetProperty(property + ".Data", data + "}");
}

void TDesigner::MoveBy(int dx, int dy) {
    const std::vector<TControl*> tops = SelectedTops();
    if (tops.empty()) throw EDesignError("select a control to move");
    Edit([&] {
        for (TControl* c : tops)
            c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    });
}

void TDesigner::ResizeBy(int dw, int dh) {
    if (FSelection.size() == 1 && FSelection.front() == FForm.get()) {
        Edit([&] {
            FForm->SetClientWidth(std::max(1, FForm->ClientWidth() + dw));
            FForm->SetClientHeight(std::max(1, FForm->ClientHeight() + dh));
        });
        return;
    }
    const std::vector<TControl*> controls = SelectedControls();
    if (controls.empty()) throw EDesignError("select a control to resize");
    Edit([&] {
        for (TControl* c : controls)
            c->SetBounds(c->Left(), c->Top(), std::max(0, c->Width() + dw),
                         std::max(0, c->Height() + dh));
    });
}

void TDesigner::DeleteSelection() {
    const std::vector<TControl*> tops = SelectedTops();
    if (tops.empty()) throw EDesignError("select a control to delete; the form itself stays");
    TWinControl* parent = tops.front()->Parent();
    Edit([&] {
        FSelection.clear();
        for (TControl* c : tops) {
            // Its identity goes with it, and with everything inside it.
            std::function<void(TComponent*)> forget = [&](TComponent* inner) {
                FIds.erase(inner);
                inner->GetChildren(forget, FForm.get());
            };
            forget(c);
            delete c;
        }
        FSelection = {parent ? static_cast<TComponent*>(parent) : FForm.get()};
    });
    Notify(&TDesignerListener::SelectionChanged);
}

void TDesigner::BringToFront() {
    const std::vector<TControl*> tops = SelectedTops();
    if (tops.empty()) throw EDesignError("select a control to bring to the front");
    Edit([&] {
        for (TControl* c : tops) c->BringToFront();
    });
}

void TDesigner::SendToBack() {
    const std::vector<TControl*> tops = SelectedTops();
    if (tops.empty()) throw EDesignError("select a control to send to the back");
    Edit([&] {
        for (auto it = tops.rbegin(); it != tops.rend(); ++it) (*it)->SendToBack();
    });
}

void TDesigner::Copy() {
    const std::vector<TControl*> tops = SelectedTops();
    if (tops.empty()) throw EDesignError("select a control to copy");
    std::string text;
    for (TControl* c : tops) {
        TWriter writer;
        writer.WriteDescendant(*FForm, *c);
        text += FormFiles::BinaryToText(writer.Bytes());
    }
    Clipboard().SetAsText(text);
}

void TDesigner::Cut() {
    Copy();
    DeleteSelection();
}

void TDesigner::Paste() {
    const std::string text = Clipboard().AsText();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        throw EDesignError("the clipboard holds no form text");
    Edit([&] { PasteText(text); });
    Notify(&TDesignerListener::SelectionChanged);
}

void TDesigner::PasteText(const std::string& text) {
    std::vector<TSpan> blocks;
    try {
        blocks = FormOutline::ObjectsOfText(text);
    } catch (const EFilerError& e) {
        throw EDesignError(std::string("the clipboard holds no form text: ") + e.what());
    }
    TWinControl* target = FForm.get();
    if (!FSelection.empty() && FSelection.front() != FForm.get()) {
        auto* w = dynamic_cast<TWinControl*>(FSelection.front());
        if (w && w->ControlStyle().Contains(csAcceptsControls))
            target = w;
        else if (auto* c = dynamic_cast<TControl*>(FSelection.front()); c && c->Parent())
            target = c->Parent();
    }
    std::vector<TComponent*> pasted;
    std::set<std::string> taken;
    auto freeName = [&](const std::string& name, const std::string& className) {
        std::string chosen = name;
        if (chosen.empty() || FindComponent(chosen) || taken.count(LowerCase(chosen))) {
            std::string base = className.size() > 1 ? className.substr(1) : className;
            for (int n = 1;; ++n) {
                chosen = base + std::to_string(n);
                if (!FindComponent(chosen) && !taken.count(LowerCase(chosen))) break;
            }
        }
        taken.insert(LowerCase(chosen));
        return chosen;
    };
    for (const TSpan& block : blocks) {
        std::unique_ptr<TComponent> root;
        try {
            const std::vector<std::uint8_t> stream =
                FormFiles::TextToBinary(std::string_view(text).substr(block.Start, block.Size()));
            TReader reader(stream);
            root = reader.ReadRootComponent([](const TComponentHeader& h) {
                const TClassInfo* cls = TClassRegistry::FindClass(h.ClassName);
                if (!cls || !cls->Create || !Derives(cls, TControl::StaticClassInfo()) ||
                    Derives(cls, TForm::StaticClassInfo()))
                    throw EReadError(h.ClassOffset, h.ClassName + " is not a control to paste");
                return std::unique_ptr<TComponent>(cls->Create(nullptr));
            });
        } catch (const EFilerError& e) {
            throw EDesignError(std::string("the clipboard's form text cannot be pasted: ") +
                               e.what());
        }
        std::vector<TComponent*> inner;
        for (int i = 0; i < root->ComponentCount(); ++i) inner.push_back(root->Components(i));
        root->SetName(freeName(root->Name(), root->ClassName()));
        for (TComponent* c : inner) c->SetName(freeName(c->Name(), c->ClassName()));
        for (TComponent* c : inner) FForm->InsertComponent(c);
        auto* control = static_cast<TControl*>(root.release());
        FForm->InsertComponent(control);
        control->SetParent(target);
        pasted.push_back(control);
    }
    FSelection = pasted;
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard.

std::vector<TRect> TDesigner::HandleRects(const TRect& b) {
    const int mx = b.Left + (b.Width() - 1) / 2, my = b.Top + (b.Height() - 1) / 2;
    const int r = b.Right - 1, d = b.Bottom - 1;
    const TPoint centres[8] = {{b.Left, b.Top}, {mx, b.Top}, {r, b.Top},  {r, my},
                               {r, d},          {mx, d},     {b.Left, d}, {b.Left, my}};
    std::vector<TRect> rects;
    for (const TPoint& c : centres) rects.push_back(TRect{c.X - 2, c.Y - 2, c.X + 3, c.Y + 3});
    return rects;
}

void TDesigner::SetGridStep(int step) {
    if (step < 1 || step > 128) throw EDesignError("the grid step is 1 to 128 pixels");
    if (step == FGridStep) return;
    FGridStep = step;
    FGrid.reset();
    FForm->Invalidate();
}

TPoint TDesigner::Snap(TPoint p) const {
    const int g = FGridStep;
    return TPoint{FloorDiv(p.X + g / 2, g) * g, FloorDiv(p.Y + g / 2, g) * g};
}

void TDesigner::SetGestureOutline(const TRect& r) {
    if (r == FGesture.Outline) return;
    const TRect before = FGesture.Outline;
    FGesture.Outline = r;
    for (TDesignerListener* l : FListeners) l->GestureChanged(before, r);
}

void TDesigner::CancelGesture() {
    if (FGesture.Kind == TGestureKind::None) return;
    const bool moved = FGesture.Started && (FGesture.Kind == TGestureKind::Move ||
                                            FGesture.Kind == TGestureKind::Resize);
    for (const auto& [control, bounds] : FGesture.Bounds)
        if (moved) control->SetBoundsRect(bounds);
    SetGestureOutline(TRect{});
    FGesture = TGesture{};
}

void TDesigner::MouseDown(TPoint p, TShiftState shift) {
    CancelGesture();
    FGesture.Start = p;
    FGesture.Before = Snapshot();
    if (FPlacing) {
        FGesture.Kind = TGestureKind::Place;
        return;
    }
    if (FSelection.size() == 1 && FSelection.front() != FForm.get()) {
        if (auto* c = dynamic_cast<TControl*>(FSelection.front())) {
            const std::vector<TRect> handles = HandleRects(FormBounds(c));
            for (int i = 0; i < 8; ++i) {
                const TRect& h = handles[static_cast<std::size_t>(i)];
                if (TRect{h.Left - 1, h.Top - 1, h.Right + 1, h.Bottom + 1}.Contains(p)) {
                    FGesture.Kind = TGestureKind::Resize;
                    FGesture.Handle = i;
                    FGesture.Bounds = {{c, c->BoundsRect()}};
                    return;
                }
            }
        }
    }
    TControl* hit = ControlAt(p);
    if (hit == FForm.get()) {
        if (!shift.Contains(ssShift)) Select({FForm.get()});
        FGesture.Kind = TGestureKind::RubberBand;
        return;
    }
    if (shift.Contains(ssShift) || shift.Contains(ssCtrl)) {
        std::vector<TComponent*> selection = FSelection;
        if (IsSelected(hit))
            std::erase(selection, hit);
        else
            selection.push_back(hit);
        Select(selection);
        FGesture = TGesture{};
        return;
    }
    if (!IsSelected(hit)) Select({hit});
    FGesture.Kind = TGestureKind::Move;
    for (TControl* c : SelectedTops()) FGesture.Bounds.emplace_back(c, c->BoundsRect());
}

void TDesigner::MouseMove(TPoint p, TShiftState) {
    TGesture& g = FGesture;
    if (g.Kind == TGestureKind::None) return;
    const int dx = p.X - g.Start.X, dy = p.Y - g.Start.Y;
    if (!g.Started) {
        if (std::abs(dx) < kDragThreshold && std::abs(dy) < kDragThreshold) return;
        g.Started = true;
    }
    switch (g.Kind) {
        case TGestureKind::Place:
            SetGestureOutline(
                NormalizedRect(TRect{Snap(g.Start).X, Snap(g.Start).Y, Snap(p).X, Snap(p).Y}));
            return;
        case TGestureKind::RubberBand:
            SetGestureOutline(NormalizedRect(TRect{g.Start.X, g.Start.Y, p.X, p.Y}));
            return;
        case TGestureKind::Move: {
            if (g.Bounds.empty()) return;
            // The control under the pointer lands on the grid; the others keep their distance.
            const TRect first = g.Bounds.front().second;
            const int left = Snap(TPoint{first.Left + dx, 0}).X - first.Left;
            const int top = Snap(TPoint{0, first.Top + dy}).Y - first.Top;
            for (const auto& [control, b] : g.Bounds)
                control->SetBounds(b.Left + left, b.Top + top, b.Width(), b.Height());
            return;
        }
        case TGestureKind::Resize: {
            const auto& [control, b] = g.Bounds.front();
            TRect r = b;
            const int h = g.Handle;
            // Handles clockwise from the top-left corner: which edges each one moves.
            const bool left = h == 0 || h == 6 || h == 7, right = h >= 2 && h <= 4;
            const bool top = h <= 2, bottom = h >= 4 && h <= 6;
            if (left) r.Left = Snap(TPoint{b.Left + dx, 0}).X;
            if (right) r.Right = Snap(TPoint{b.Right + dx, 0}).X;
            if (top) r.Top = Snap(TPoint{0, b.Top + dy}).Y;
            if (bottom) r.Bottom = Snap(TPoint{0, b.Bottom + dy}).Y;
            r = NormalizedRect(r);
            control->SetBoundsRect(r);
            return;
        }
        case TGestureKind::None:
            return;
    }
}

void TDesigner::MouseUp(TPoint p, TShiftState shift) {
    MouseMove(p, shift);
    TGesture g = std::move(FGesture);
    FGesture = TGesture{};
    const TRect outline = g.Outline;
    if (!outline.IsEmpty())
        for (TDesignerListener* l : FListeners) l->GestureChanged(outline, TRect{});
    switch (g.Kind) {
        case TGestureKind::Place: {
            const TClassInfo* cls = FPlacing;
            FPlacing = nullptr;
            const TPoint at = Snap(g.Start);
            Place(*cls, g.Started ? outline : TRect{at.X, at.Y, at.X, at.Y});
            return;
        }
        case TGestureKind::Move:
        case TGestureKind::Resize:
            if (g.Started) Commit(std::move(g.Before));
            return;
        case TGestureKind::RubberBand: {
            if (!g.Started) return;
            TWinControl* container = ContainerAt(g.Start);
            std::vector<TComponent*> selection;
            if (shift.Contains(ssShift)) selection = FSelection;
            for (int i = 0; i < container->ControlCount(); ++i) {
                TControl* c = container->Controls(i);
                if (c->Owner() == FForm.get() && !IntersectRects(FormBounds(c), outline).IsEmpty())
                    selection.push_back(c);
            }
            Select(selection);
            return;
        }
        case TGestureKind::None:
            return;
    }
}

bool TDesigner::KeyDown(WORD key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    try {
        switch (key) {
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN: {
                if (SelectedControls().empty() &&
                    !(shift.Contains(ssShift) && FSelection.front() == FForm.get()))
                    return false;
                const int sx = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : 0;
                const int sy = key == VK_UP ? -1 : key == VK_DOWN ? 1 : 0;
                const int g = FGridStep;
                if (shift.Contains(ssShift)) {
                    ResizeBy(sx * (ctrl ? 1 : g), sy * (ctrl ? 1 : g));
                } else if (ctrl) {
                    MoveBy(sx, sy);
                } else {
                    // To the next grid line that way.
                    const TControl* c = SelectedTops().front();
                    const int left = sx > 0   ? (FloorDiv(c->Left(), g) + 1) * g
                                     : sx < 0 ? (FloorDiv(c->Left() + g - 1, g) - 1) * g
                                              : c->Left();
                    const int top = sy > 0   ? (FloorDiv(c->Top(), g) + 1) * g
                                    : sy < 0 ? (FloorDiv(c->Top() + g - 1, g) - 1) * g
                                             : c->Top();
                    MoveBy(left - c->Left(), top - c->Top());
                }
                return true;
            }
            case VK_DELETE:
                DeleteSelection();
                return true;
            case VK_ESCAPE:
                if (FGesture.Kind != TGestureKind::None) {
                    CancelGesture();
                } else if (auto* c = dynamic_cast<TControl*>(FSelection.front());
                           c && c != FForm.get()) {
                    Select({c->Parent()});
                }
                return true;
            default:
                break;
        }
        if (!ctrl) return false;
        switch (key) {
            case 'Z':
                Undo();
                return true;
            case 'Y':
                Redo();
                return true;
            case 'C':
                Copy();
                return true;
            case 'X':
                Cut();
                return true;
            case 'V':
                Paste();
                return true;
            default:
                return false;
        }
    } catch (const EDesignError&) {
        // A key that does nothing here (Delete with the form selected) is still taken.
        return true;
    }
}

// ---------------------------------------------------------------------------------------------
// The grid.

void TDesigner::PaintGrid(HDC dc) {
    const int w = FForm->ClientWidth(), h = FForm->ClientHeight();
    if (w <= 0 || h <= 0) return;
    const std::uint32_t color = ColorToRGB(FForm->Color());
    if (!FGrid || FGrid->Width() != w || FGrid->Height() != h || FGridColor != color) {
        FGrid = std::make_unique<TBitmap>();
        FGrid->SetSize(w, h);
        TBitmapImage image = FGrid->Image();
        image.Pixels.Fill(PixelFromColorRef(color));
        for (int y = 0; y < h; y += FGridStep)
            for (int x = 0; x < w; x += FGridStep) image.Pixels.Set(x, y, 0);
        FGrid->SetImage(image);
        FGridColor = color;
    }
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Draw(0, 0, FGrid.get());
    canvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Autosave.

void TDesigner::EnableRecovery(const std::string& dir) {
    FRecoveryDir = dir;
    FRecovery = std::make_unique<TRecovery>(dir, FFileName);
    FAutosaveTimer = std::make_unique<TTimer>(nullptr);
    FAutosaveTimer->SetInterval(kAutosaveInterval);
    FAutosaveTimer->OnTimer = [this](TPersistent*) {
        try {
            Autosave();
        } catch (const std::exception&) {
            // A recovery file that cannot be written is tried again a minute later.
        }
    };
    UpdateRecovery();
}

void TDesigner::UpdateRecovery() {
    if (!FRecovery) return;
    if (Modified())
        FRecovery->SetCrashContent(FStream);
    else
        FRecovery->SetCrashContent({});
}

void TDesigner::Autosave() {
    if (FRecovery && Modified()) FRecovery->Write(FStream);
}

void TDesigner::Recover() {
    if (!FRecovery || !FRecovery->Exists()) throw EDesignError("there is no recovery file");
    std::unique_ptr<TForm> form;
    try {
        form = ReadDesigned(FRecovery->Read());
    } catch (const std::exception& e) {
        throw EDesignError("the recovery file cannot be read: " + std::string(e.what()));
    }
    TSnapshot before = Snapshot();
    Show(std::move(form));
    // Components of the form's own file keep their identity by name.
    std::map<std::string, int> byName;
    for (const auto& [name, id] : before.Ids) byName[LowerCase(name)] = id;
    FIds.clear();
    for (TComponent* c : Components())
        if (const auto it = byName.find(LowerCase(c->Name())); it != byName.end())
            FIds[c] = it->second;
    AssignIds();
    FStream = FormFiles::WriteBinary(*FForm);
    FUndo.push_back(std::move(before));
    FRedo.clear();
    FSelection = {FForm.get()};
    Notify(&TDesignerListener::FormReplaced);
    Notify(&TDesignerListener::SelectionChanged);
    UpdateRecovery();
}

// ---------------------------------------------------------------------------------------------
// Listeners.

void TDesigner::AddListener(TDesignerListener* listener) {
    FListeners.push_back(listener);
}

void TDesigner::RemoveListener(TDesignerListener* listener) {
    std::erase(FListeners, listener);
}

void TDesigner::Notify(void (TDesignerListener::*what)()) {
    for (TDesignerListener* l : std::vector<TDesignerListener*>(FListeners)) (l->*what)();
}
