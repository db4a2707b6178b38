// The object inspector: the published properties of the selected components in property
// order, one row each (name, value), with an editor in the selected row's value cell, made of
// the framework's controls: an edit box for numbers, strings and names, a drop-down list for
// enumerations, a drop-down list that also takes typed text for colours (names or numbers), a
// check box for each element of a set, a button that opens a text editor for string lists or
// loads a picture for bitmaps. Objects with properties of their own (a font) and sets open
// into rows of their parts. With several components selected, the rows are the properties
// they share, and a value shows when they all have it.
//
// Every edit goes to the designer as the text a form file would hold, so it runs through the
// property's setter as reading a form does; bad input is refused by the designer, reported
// through OnMessage, and the row shows its value again.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "controls/TCustomControl.h"
#include "designer/TDesigner.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;

class TObjectInspector : public TCustomControl, private TDesignerListener {
public:
    static constexpr int kRowHeight = 16;

    enum class TRowKind : std::uint8_t {
        Name,        // the component's name
        Text,        // a number, a string, a character, an event
        Choice,      // an enumeration or a Boolean: a drop-down list of its names
        Ident,       // an integer type with names (a colour): the names, or any number
        Set,         // a set as a whole, opening into its elements
        SetElement,  // one element of a set: a check
        Object,      // an object with properties of its own, opening into them
        Strings,     // a string list: a text editor
        Bitmap,      // a picture: load a .bmp file, or clear it
        Fixed,       // shown, not edited here (a reference to another component)
    };

    TObjectInspector(TComponent* owner, TDesigner& designer);
    ~TObjectInspector() override;

    int RowCount() const { return static_cast<int>(FRows.size()); }
    // The row of a property path ("Font.Style", "Font.Style.fsBold"), or -1.
    int RowOf(const std::string& path) const;
    std::string RowName(int row) const;
    std::string RowValue(int row) const;
    TRowKind RowKind(int row) const;
    bool Expanded(int row) const;
    void SetExpanded(int row, bool expanded);
    int SelectedRow() const { return FSelected; }
    // Selects a row and shows its editor.
    void SelectRow(int row);
    // What the row's editor commits: text as a user types it (a string without quotes).
    // Returns false, with the designer's message through OnMessage, when it was refused.
    bool Commit(int row, const std::string& text);
    // The editor shown in the selected row, or null.
    TWinControl* Editor() const;
    // Where a row lies in the inspector's client area.
    TRect RowRect(int row) const;
    int Split() const { return FSplit; }

    // What the inspector has to say: a refused value, for the status line.
    std::function<void(const std::string&)> OnMessage;
    // A string list's or a bitmap's editor is asked for (the window opens it).
    std::function<void(const std::string& path)> OnEditStrings;
    std::function<void(const std::string& path)> OnEditBitmap;

    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    struct TRow {
        std::string Path;
        std::string Name;
        int Depth = 0;
        TRowKind Kind = TRowKind::Text;
        const TPropInfo* Prop = nullptr;
        int Element = -1;  // for a set element, its ordinal
    };

    void FormReplaced() override;
    void FormChanged() override;
    void SelectionChanged() override;

    void Rebuild();
    // Repaints the rows whose values changed (all of them when the rows did).
    void RefreshValues(bool all);
    void AddRows(const TPersistent& object, const std::string& prefix, int depth);
    // The object and property a path leads to from a component, or null.
    const TPropInfo* Resolve(TComponent* component, const std::string& path,
                             TPersistent*& target) const;
    std::string ValueOf(TComponent* component, const TRow& row) const;
    bool Expandable(const TRow& row) const;
    void PlaceEditor();
    void LoadEditor();
    void CommitEditor();
    void MoveSelection(int by);
    void ScrollIntoView(int row);
    int VisibleRows() const;

    TDesigner& FDesigner;
    std::vector<TRow> FRows;
    std::vector<std::string> FShownValues;  // each row's value as last painted
    std::set<std::string> FExpanded;
    int FSelected = -1;
    int FTop = 0;
    int FSplit = 96;
    TEdit* FEdit = nullptr;
    TComboBox* FChoice = nullptr;
    TComboBox* FIdent = nullptr;
    TCheckBox* FCheck = nullptr;
    TButton* FMore = nullptr;
    bool FLoading = false;
    std::string FLoadedText;  // what the edit box showed before the user typed
};
