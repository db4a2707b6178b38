#include "designer/TObjectInspector.h"

#include <algorithm>

#include "classes/TStringList.h"
#include "controls/ButtonFace.h"
#include "controls/TButton.h"
#include "controls/TCheckBox.h"
#include "controls/TComboBox.h"
#include "controls/TEdit.h"
#include "designer/PropertyText.h"
#include "graphics/Graphics.h"
#include "graphics/TBitmap.h"

namespace {

bool Derives(const TClassInfo* cls, const TClassInfo& base) {
    for (; cls; cls = cls->Parent)
        if (cls == &base) return true;
    return false;
}

std::string ParentPath(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(0, dot);
}

}  // namespace

TObjectInspector::TObjectInspector(TComponent* owner, TDesigner& designer)
    : TCustomControl(owner), FDesigner(designer) {
    SetTabStop(true);
    SetColor(clBtnFace);
    FEdit = new TEdit(this);
    FEdit->SetBorderStyle(bsNone);
    FEdit->SetAutoSelect(false);
    FEdit->OnKeyDown = [this](TPersistent*, WORD& key, TShiftState) {
        if (key == VK_RETURN) {
            CommitEditor();
            key = 0;
        } else if (key == VK_ESCAPE) {
            LoadEditor();
            key = 0;
        } else if (key == VK_UP || key == VK_DOWN) {
            CommitEditor();
            MoveSelection(key == VK_UP ? -1 : 1);
            key = 0;
        }
    };
    FEdit->OnExit = [this](TPersistent*) { CommitEditor(); };
    FChoice = new TComboBox(this);
    FChoice->SetStyle(csDropDownList);
    FChoice->SetCtl3D(false);
    FChoice->OnClick = [this](TPersistent*) {
        if (!FLoading) Commit(FSelected, FChoice->Text());
    };
    FIdent = new TComboBox(this);
    FIdent->SetCtl3D(false);
    FIdent->OnClick = [this](TPersistent*) {
        if (!FLoading) Commit(FSelected, FIdent->Text());
    };
    FIdent->OnKeyDown = [this](TPersistent*, WORD& key, TShiftState) {
        if (key == VK_RETURN) {
            Commit(FSelected, FIdent->Text());
            key = 0;
        } else if (key == VK_ESCAPE && !FIdent->DroppedDown()) {
            LoadEditor();
            key = 0;
        }
    };
    FCheck = new TCheckBox(this);
    FCheck->OnClick = [this](TPersistent*) {
        if (!FLoading) Commit(FSelected, FCheck->Checked() ? "True" : "False");
    };
    FMore = new TButton(this);
    FMore->SetCaption("...");
    FMore->SetTabStop(false);
    FMore->OnClick = [this](TPersistent*) {
        if (FSelected < 0) return;
        const TRow& row = FRows[static_cast<std::size_t>(FSelected)];
        if (row.Kind == TRowKind::Strings && OnEditStrings) OnEditStrings(row.Path);
        if (row.Kind == TRowKind::Bitmap && OnEditBitmap) OnEditBitmap(row.Path);
    };
    for (TWinControl* editor :
         std::initializer_list<TWinControl*>{FEdit, FChoice, FIdent, FCheck, FMore}) {
        editor->SetVisible(false);
        editor->SetParent(this);
    }
    FDesigner.AddListener(this);
    Rebuild();
}

TObjectInspector::~TObjectInspector() {
    FDesigner.RemoveListener(this);
}

// ---------------------------------------------------------------------------------------------
// Rows.

void TObjectInspector::FormReplaced() {
    Rebuild();
}
void TObjectInspector::SelectionChanged() {
    Rebuild();
}

void TObjectInspector::FormChanged() {
    RefreshValues(false);
    // What the user is typing stays; everything else shows the value now.
    if (!(FEdit->Visible() && FEdit->Text() != FLoadedText)) LoadEditor();
}

void TObjectInspector::Rebuild() {
    const std::string selected = FSelected >= 0 && FSelected < RowCount()
                                     ? FRows[static_cast<std::size_t>(FSelected)].Path
                                     : "";
    FRows.clear();
    const auto& selection = FDesigner.Selection();
    if (!selection.empty()) AddRows(*selection.front(), "", 0);
    FSelected = RowOf(selected);
    if (FSelected < 0 && !FRows.empty()) FSelected = 0;
    FTop = std::clamp(FTop, 0, std::max(0, RowCount() - VisibleRows()));
    PlaceEditor();
    RefreshValues(true);
}

void TObjectInspector::RefreshValues(bool all) {
    if (all) {
        FShownValues.clear();
        Invalidate();
    }
    FShownValues.resize(FRows.size());
    for (int i = 0; i < RowCount(); ++i) {
        std::string value = RowValue(i);
        if (value == FShownValues[static_cast<std::size_t>(i)]) continue;
        FShownValues[static_cast<std::size_t>(i)] = std::move(value);
        if (!all) InvalidateRect(RowRect(i));
    }
}

void TObjectInspector::AddRows(const TPersistent& object, const std::string& prefix, int depth) {
    const auto& selection = FDesigner.Selection();
    for (const TPropInfo* p : GetPropInfos(*object.ClassInfo())) {
        const TTypeInfo& type = *p->Type;
        if (type.Kind == TTypeKind::tkMethod) continue;
        // With several components selected, the properties they all have.
        if (depth == 0) {
            bool shared = true;
            for (TComponent* c : selection) {
                const TPropInfo* q = GetPropInfo(*c->ClassInfo(), p->Name);
                shared &= q && q->Type == p->Type;
            }
            if (!shared) continue;
            if (selection.size() > 1 && p->Name == "Name") continue;
        }
        TRow row{prefix + p->Name, p->Name, depth, TRowKind::Text, p, -1};
        switch (type.Kind) {
            case TTypeKind::tkEnumeration:
                row.Kind = TRowKind::Choice;
                break;
            case TTypeKind::tkSet:
                row.Kind = TRowKind::Set;
                break;
            case TTypeKind::tkClass:
                if (Derives(type.ClassType, TComponent::StaticClassInfo()))
                    row.Kind = TRowKind::Fixed;
                else if (Derives(type.ClassType, TStringList::StaticClassInfo()))
                    row.Kind = TRowKind::Strings;
                else if (Derives(type.ClassType, TBitmap::StaticClassInfo()))
                    row.Kind = TRowKind::Bitmap;
                else
                    row.Kind = TRowKind::Object;
                break;
            default:
                row.Kind = !type.Idents.empty() ? TRowKind::Ident : TRowKind::Text;
                break;
        }
        if (depth == 0 && p->Name == "Name") row.Kind = TRowKind::Name;
        FRows.push_back(row);
        if (!FExpanded.count(row.Path)) continue;
        if (row.Kind == TRowKind::Set && type.CompType) {
            for (std::size_t i = 0; i < type.CompType->EnumNames.size(); ++i) {
                const std::string name = type.CompType->EnumNames[i];
                FRows.push_back(TRow{row.Path + "." + name, name, depth + 1, TRowKind::SetElement,
                                     p, static_cast<int>(i)});
            }
        } else if (row.Kind == TRowKind::Object && p->GetObj) {
            if (TPersistent* inner = p->GetObj(object)) AddRows(*inner, row.Path + ".", depth + 1);
        }
    }
}

const TPropInfo* TObjectInspector::Resolve(TComponent* component, const std::string& path,
                                           TPersistent*& target) const {
    target = component;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = path.find('.', start);
        const TPropInfo* p = GetPropInfo(*target->ClassInfo(), path.substr(start, dot - start));
        if (!p || dot == std::string::npos) return p;
        if (!PropertyText::IsNestedObject(*target, *p)) return nullptr;
        target = p->GetObj(*target);
        start = dot + 1;
    }
}

std::string TObjectInspector::ValueOf(TComponent* component, const TRow& row) const {
    if (row.Kind == TRowKind::Name) return component->Name();
    TPersistent* target = nullptr;
    const TPropInfo* p = Resolve(
        component, row.Kind == TRowKind::SetElement ? ParentPath(row.Path) : row.Path, target);
    if (!p) return "";
    switch (row.Kind) {
        case TRowKind::Text:
            return PropertyText::Plain(*target, *p);
        case TRowKind::SetElement:
            return p->GetOrd && (p->GetOrd(*target) >> row.Element) & 1 ? "True" : "False";
        case TRowKind::Bitmap: {
            auto* bitmap = dynamic_cast<TBitmap*>(p->GetObj ? p->GetObj(*target) : nullptr);
            return bitmap && !bitmap->Empty() ? "(TBitmap)" : "(None)";
        }
        default:
            return PropertyText::ValueOf(*target, *p);
    }
}

int TObjectInspector::RowOf(const std::string& path) const {
    if (path.empty()) return -1;
    for (std::size_t i = 0; i < FRows.size(); ++i)
        if (SameText(FRows[i].Path, path)) return static_cast<int>(i);
    return -1;
}

std::string TObjectInspector::RowName(int row) const {
    return row >= 0 && row < RowCount() ? FRows[static_cast<std::size_t>(row)].Name : "";
}

std::string TObjectInspector::RowValue(int row) const {
    if (row < 0 || row >= RowCount()) return "";
    const auto& selection = FDesigner.Selection();
    std::string value;
    for (std::size_t i = 0; i < selection.size(); ++i) {
        const std::string v = ValueOf(selection[i], FRows[static_cast<std::size_t>(row)]);
        if (i > 0 && v != value) return "";
        value = v;
    }
    return value;
}

TObjectInspector::TRowKind TObjectInspector::RowKind(int row) const {
    return FRows.at(static_cast<std::size_t>(row)).Kind;
}

bool TObjectInspector::Expandable(const TRow& row) const {
    return row.Kind == TRowKind::Set || row.Kind == TRowKind::Object;
}

bool TObjectInspector::Expanded(int row) const {
    return row >= 0 && row < RowCount() &&
           FExpanded.count(FRows[static_cast<std::size_t>(row)].Path);
}

void TObjectInspector::SetExpanded(int row, bool expanded) {
    if (row < 0 || row >= RowCount() || !Expandable(FRows[static_cast<std::size_t>(row)])) return;
    const std::string& path = FRows[static_cast<std::size_t>(row)].Path;
    if (expanded)
        FExpanded.insert(path);
    else
        FExpanded.erase(path);
    Rebuild();
}

// ---------------------------------------------------------------------------------------------
// Editing.

bool TObjectInspector::Commit(int row, const std::string& text) {
    if (row < 0 || row >= RowCount()) return false;
    const TRow r = FRows[static_cast<std::size_t>(row)];
    std::string path = r.Path, value = text;
    switch (r.Kind) {
        case TRowKind::Name:
            path = "Name";
            break;
        case TRowKind::Text:
            if (r.Prop->Type->Kind == TTypeKind::tkString ||
                (r.Prop->Type->Kind == TTypeKind::tkChar && text.size() == 1))
                value = PropertyText::Quote(text);
            break;
        case TRowKind::SetElement: {
            path = ParentPath(r.Path);
            TPersistent* target = nullptr;
            const TPropInfo* p = Resolve(FDesigner.Selection().front(), path, target);
            if (!p || !p->GetOrd) return false;
            std::uint64_t bits = static_cast<std::uint64_t>(p->GetOrd(*target));
            if (text == "True")
                bits |= 1ull << r.Element;
            else
                bits &= ~(1ull << r.Element);
            value = "[";
            const TTypeInfo* elements = p->Type->CompType;
            for (int bit = 0; elements && bit < static_cast<int>(elements->EnumNames.size()); ++bit)
                if ((bits >> bit) & 1)
                    value += std::string(value.size() > 1 ? ", " : "") +
                             elements->EnumNames[static_cast<std::size_t>(bit)];
            value += "]";
            break;
        }
        case TRowKind::Choice:
        case TRowKind::Ident:
        case TRowKind::Set:
            break;
        default:
            return false;
    }
    try {
        FDesigner.SetProperty(path, value);
        FDesigner.Update();
    } catch (const EDesignError& e) {
        if (OnMessage) OnMessage(e.what());
        LoadEditor();
        return false;
    }
    LoadEditor();
    return true;
}

void TObjectInspector::CommitEditor() {
    if (FLoading || !FEdit->Visible() || FEdit->Text() == FLoadedText) return;
    Commit(FSelected, FEdit->Text());
}

TWinControl* TObjectInspector::Editor() const {
    for (TWinControl* e :
         std::initializer_list<TWinControl*>{FEdit, FChoice, FIdent, FCheck, FMore})
        if (e->Visible()) return e;
    return nullptr;
}

TRect TObjectInspector::RowRect(int row) const {
    const int top = (row - FTop) * kRowHeight;
    return TRect{0, top, ClientWidth(), top + kRowHeight};
}

int TObjectInspector::VisibleRows() const {
    return std::max(1, ClientHeight() / kRowHeight);
}

void TObjectInspector::PlaceEditor() {
    for (TWinControl* e :
         std::initializer_list<TWinControl*>{FEdit, FChoice, FIdent, FCheck, FMore})
        e->SetVisible(false);
    if (FSelected < 0 || FSelected >= RowCount() || FSelected < FTop ||
        FSelected >= FTop + VisibleRows())
        return;
    const TRow& row = FRows[static_cast<std::size_t>(FSelected)];
    const TRect r = RowRect(FSelected);
    const TRect cell{FSplit + 1, r.Top, r.Right, r.Bottom - 1};
    switch (row.Kind) {
        case TRowKind::Name:
        case TRowKind::Text:
            FEdit->SetBounds(cell.Left + 2, cell.Top + 1, cell.Width() - 2, cell.Height() - 1);
            FEdit->SetVisible(true);
            break;
        case TRowKind::Choice:
        case TRowKind::Ident: {
            TComboBox* combo = row.Kind == TRowKind::Choice ? FChoice : FIdent;
            combo->SetBounds(cell.Left, cell.Top - 1, cell.Width(), kRowHeight + 2);
            combo->SetVisible(true);
            break;
        }
        case TRowKind::SetElement:
            FCheck->SetBounds(cell.Left + 2, cell.Top, cell.Width() - 2, cell.Height());
            FCheck->SetVisible(true);
            break;
        case TRowKind::Strings:
        case TRowKind::Bitmap:
            FMore->SetBounds(cell.Right - kRowHeight, cell.Top, kRowHeight, cell.Height());
            FMore->SetVisible(true);
            break;
        default:
            break;
    }
    LoadEditor();
}

void TObjectInspector::LoadEditor() {
    if (FSelected < 0 || FSelected >= RowCount()) return;
    FLoading = true;
    const TRow& row = FRows[static_cast<std::size_t>(FSelected)];
    const std::string value = RowValue(FSelected);
    switch (row.Kind) {
        case TRowKind::Name:
        case TRowKind::Text:
            FEdit->SetText(value);
            FEdit->SelectAll();
            FLoadedText = value;
            break;
        case TRowKind::Choice:
        case TRowKind::Ident: {
            TComboBox* combo = row.Kind == TRowKind::Choice ? FChoice : FIdent;
            std::vector<std::string> names = PropertyText::ValueNames(*row.Prop->Type);
            combo->Items()->SetAll(names);
            const auto it = std::find(names.begin(), names.end(), value);
            combo->SetItemIndex(it == names.end() ? -1 : static_cast<int>(it - names.begin()));
            if (row.Kind == TRowKind::Ident) combo->SetText(value);
            break;
        }
        case TRowKind::SetElement:
            FCheck->SetChecked(value == "True");
            FCheck->SetCaption(value);
            break;
        default:
            break;
    }
    FLoading = false;
}

void TObjectInspector::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (FEdit->Visible()) CommitEditor();
    FSelected = row;
    ScrollIntoView(row);
    PlaceEditor();
    Invalidate();
}

void TObjectInspector::MoveSelection(int by) {
    SelectRow(std::clamp(FSelected + by, 0, RowCount() - 1));
}

void TObjectInspector::ScrollIntoView(int row) {
    if (row < FTop) FTop = row;
    if (row >= FTop + VisibleRows()) FTop = row - VisibleRows() + 1;
}

void TObjectInspector::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    if (FEdit) PlaceEditor();
}

void TObjectInspector::Dispatch(TMessage& message) {
    if (message.Msg == WM_MOUSEWHEEL) {
        const int notches = HiWordSigned(static_cast<LPARAM>(message.WParam)) / 120;
        FTop = std::clamp(FTop - 3 * notches, 0, std::max(0, RowCount() - VisibleRows()));
        PlaceEditor();
        Invalidate();
        return;
    }
    TCustomControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// Painting and input.

// +----------------+-------------------+
// |  Name          | QELGradient1      |   one row 16 pixels high, a shadow line under it;
// | [+]Font        | (TFont)           |   [+] opens a font or a set into its parts, two
// |     Charset    | DEFAULT_CHARSET   |   levels in by depth; the selected row's name is
// +----------------+-------------------+   highlighted and its value cell holds the editor
void TObjectInspector::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    const int textTop = (kRowHeight - canvas->TextHeight("W")) / 2;
    for (int i = FTop; i < RowCount() && i < FTop + VisibleRows() + 1; ++i) {
        const TRow& row = FRows[static_cast<std::size_t>(i)];
        const TRect r = RowRect(i);
        const bool selected = i == FSelected;
        const TRect nameCell{r.Left, r.Top, FSplit, r.Bottom - 1};
        canvas->Brush()->SetColor(selected ? clHighlight : clBtnFace);
        canvas->Font()->SetColor(selected ? clHighlightText : clBtnText);
        const int indent = 12 + row.Depth * 10;
        canvas->TextRect(nameCell, nameCell.Left + indent, r.Top + textTop, row.Name);
        if (Expandable(row)) {
            const TRect box{indent - 10, r.Top + 4, indent - 1, r.Top + 13};
            canvas->Brush()->SetColor(clWindow);
            canvas->FillRect(box);
            canvas->Brush()->SetColor(clBtnShadow);
            canvas->FrameRect(box);
            canvas->Brush()->SetColor(clWindowText);
            canvas->FillRect(TRect{box.Left + 2, box.Top + 4, box.Right - 2, box.Top + 5});
            if (!FExpanded.count(row.Path))
                canvas->FillRect(TRect{box.Left + 4, box.Top + 2, box.Left + 5, box.Bottom - 2});
        }
        const TRect valueCell{FSplit + 1, r.Top, r.Right, r.Bottom - 1};
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Font()->SetColor(clNavy);
        const std::string& value = FShownValues[static_cast<std::size_t>(i)];
        if (row.Kind == TRowKind::SetElement) {
            DrawCheckGlyph(canvas, valueCell.Left + 2, valueCell.Top + 1, value == "True", true);
            canvas->Brush()->SetColor(clBtnFace);
            canvas->TextRect(
                TRect{valueCell.Left + 18, valueCell.Top, valueCell.Right, valueCell.Bottom},
                valueCell.Left + 19, r.Top + textTop, value);
        } else {
            canvas->TextRect(valueCell, valueCell.Left + 3, r.Top + textTop, value);
        }
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom});
    }
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FillRect(TRect{FSplit, 0, FSplit + 1, ClientHeight()});
}

void TObjectInspector::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || y < 0) return;
    const int row = FTop + y / kRowHeight;
    if (row >= RowCount()) return;
    const TRow& r = FRows[static_cast<std::size_t>(row)];
    const int indent = 12 + r.Depth * 10;
    if (Expandable(r) && (shift.Contains(ssDouble) || (x >= indent - 12 && x < indent))) {
        SetExpanded(row, !FExpanded.count(r.Path));
        return;
    }
    SelectRow(row);
    if (TWinControl* editor = Editor(); editor && x > FSplit && editor->CanFocus())
        editor->SetFocus();
}

void TObjectInspector::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
        case VK_UP:
        case VK_DOWN:
            MoveSelection(key == VK_UP ? -1 : 1);
            break;
        case VK_RETURN:
            if (TWinControl* editor = Editor(); editor && editor->CanFocus()) editor->SetFocus();
            break;
        case VK_RIGHT:
        case VK_LEFT:
            SetExpanded(FSelected, key == VK_RIGHT);
            break;
        default:
            return;
    }
    key = 0;
}
