// The design environment's core: one form being designed, with everything a user does to it
// as a command that runs without a display. The window calls these commands, and so do
// scripts and tests.
//
// The form is read and shown as a design environment shows it: its components carry
// csDesigning, it sits on a host of its own (in memory), the controls paint themselves there
// and the form paints the grid under them. Every command that changes the form is one undo
// step: the canonical stream of the form before it is kept, and undo and redo read the form
// back from those streams. Saving keeps the bytes of the file the form came from and splices
// in only what changed (TFormDocument).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/TForm.h"
#include "designer/TFormDocument.h"
#include "graphics/TBitmap.h"
#include "hosts/THeadlessHost.h"

class TTimer;
class TRecovery;

// A command that cannot be carried out: bad input, an unknown name, nothing selected. The
// form is as it was before the command.
class EDesignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a window showing the designer is told.
class TDesignerListener {
public:
    virtual ~TDesignerListener() = default;
    // The form was made anew (new, open, undo, redo): every pointer into it is gone.
    virtual void FormReplaced() {}
    // Components were added, removed, renamed or had properties set.
    virtual void FormChanged() {}
    virtual void SelectionChanged() {}
    // The form's host painted this rectangle of the form's client area.
    virtual void FormPainted(const TRect&) {}
    // The outline of a gesture (a rubber band, a control being placed) moved.
    virtual void GestureChanged(const TRect& /*before*/, const TRect& /*after*/) {}
};

class TDesigner final : public TDesignerHook {
public:
    using TFormFormat = FormFiles::TFormFormat;

    // The grid's default step, and how far the mouse moves with its button down before a
    // press becomes a drag.
    static constexpr int kDefaultGrid = 8;
    static constexpr int kDragThreshold = 3;

    // Starts with a new form.
    TDesigner();
    ~TDesigner() override;
    TDesigner(const TDesigner&) = delete;
    TDesigner& operator=(const TDesigner&) = delete;

    // --- The document.

    // A new form of that class: TForm, or a form class of the user's own (TForm1), named
    // Form1; path, when given, is the file Save writes it to.
    void New(const std::string& formClass = "TForm", const std::string& path = "");
    // Reads a form file, text or binary; errors name the file and the place.
    void Open(const std::string& path);
    // A form file's bytes; path is where Save writes them back (empty: nowhere yet).
    void Load(std::vector<std::uint8_t> bytes, const std::string& path);
    // Writes the form back to its file, in the format the file had.
    void Save();
    // Writes the form to path, in format (the file's own format when it is the form's file,
    // else binary for .dfm and text otherwise); path becomes the form's file.
    void SaveAs(const std::string& path, std::optional<TFormFormat> format = std::nullopt);
    // The bytes Save would write in format; rewritten tells whether the form could not be
    // spliced into its file's bytes and is written in full.
    std::vector<std::uint8_t> SavedBytes(TFormFormat format, bool* rewritten = nullptr);
    // The format a save to path writes: the file's own for its own path, else by extension.
    TFormFormat FormatFor(const std::string& path) const;
    const std::string& FileName() const { return FFileName; }
    TFormFormat Format() const {
        return FDocument.IsNew() ? TFormFormat::Text : FDocument.Format();
    }
    // Whether the form differs from what was last opened or saved.
    bool Modified() const { return FStream != FSavedStream; }
    // Whether the last save had to write the form in full.
    bool LastSaveRewritten() const { return FLastSaveRewritten; }

    TForm* Form() const { return FForm.get(); }
    THeadlessHost& FormHost() const;
    // Paints what is due on the form's host; listeners hear what was painted.
    void Update();
    // The form as it runs, read from the bytes a save would write: not designed, on no host.
    std::unique_ptr<TForm> PreviewForm();

    // --- Finding components.

    // The component of that name (the form itself by its name), or null.
    TComponent* FindComponent(const std::string& name) const;
    // Every component of the form, the form first, then the others in form-file order.
    std::vector<TComponent*> Components() const;
    // The deepest control under a point of the form's client area (the form itself when no
    // control is there), and the deepest container (a control that accepts controls).
    TControl* ControlAt(TPoint formPoint) const;
    TWinControl* ContainerAt(TPoint formPoint) const;
    // A control's bounds in the form's client coordinates.
    TRect FormBounds(const TControl* control) const;
    // A fresh name for a new component of the class: the class name without its T, and the
    // smallest number from 1 that no component of the form has.
    std::string FreshName(const std::string& className) const;

    // --- Selection.

    const std::vector<TComponent*>& Selection() const { return FSelection; }
    void Select(std::vector<TComponent*> components);
    // Raises EDesignError for a name the form does not have.
    void SelectByName(const std::vector<std::string>& names);
    bool IsSelected(const TComponent* component) const;

    // --- Commands; each that changes the form is one undo step.

    // Places a new control of the class: bounds in form coordinates, in the container under
    // their top-left corner; an empty width or height keeps the class's default size. The new
    // control becomes the selection.
    TControl* Place(const TClassInfo& cls, TRect bounds);
    TControl* Place(const std::string& className, TRect bounds);
    // Sets a published property of every selected component, named and written as in a text
    // form file ("Font.Style", "[fsBold]"; "Items.Strings", "( 'a' 'b' )"), through its setter.
    // Name renames the one selected component.
    void SetProperty(const std::string& name, const std::string& valueText);
    // The value of a property of a component as a text form file writes it (empty for a value
    // the file would leave out), and whether the component has that property.
    std::string PropertyText(TComponent* component, const std::string& name) const;
    // Loads a .bmp file into a bitmap property of the selection (Bitmap, BitmapON, ...), or
    // empties it when file is empty.
    void LoadBitmap(const std::string& property, const std::string& file);
    void MoveBy(int dx, int dy);
    void ResizeBy(int dw, int dh);
    void DeleteSelection();
    void BringToFront();
    void SendToBack();
    // The selected components as form text on the clipboard; Cut deletes them too.
    void Copy();
    void Cut();
    // The components of the form text on the clipboard, into the selected container (or the
    // container of the selected control, or the form), each under a fresh name when its own
    // is taken. They become the selection.
    void Paste();
    bool CanUndo() const { return !FUndo.empty(); }
    bool CanRedo() const { return !FRedo.empty(); }
    bool Undo();
    bool Redo();
    int UndoCount() const { return static_cast<int>(FUndo.size()); }

    // --- Mouse and keyboard, as the design surface hands them on (form coordinates).

    // The class a click or drag on the form places next (null: clicks select).
    void SetPlacingClass(const TClassInfo* cls) { FPlacing = cls; }
    const TClassInfo* PlacingClass() const { return FPlacing; }
    void MouseDown(TPoint formPoint, TShiftState shift);
    void MouseMove(TPoint formPoint, TShiftState shift);
    void MouseUp(TPoint formPoint, TShiftState shift);
    // Arrows move (Shift: resize) the selection by the grid step, or by one pixel with Ctrl;
    // Delete deletes; Escape selects the parent; Ctrl+Z, Ctrl+Y, Ctrl+C, Ctrl+X and Ctrl+V.
    // Returns whether the key was taken.
    bool KeyDown(WORD key, TShiftState shift);
    // The outline a gesture shows (rubber band, rectangle being placed), or empty.
    TRect GestureRect() const { return FGesture.Outline; }

    // The eight handles of a selected control (form coordinates), clockwise from the top-left
    // corner; with several controls selected, only the corners are shown.
    static std::vector<TRect> HandleRects(const TRect& bounds);
    int GridStep() const { return FGridStep; }
    void SetGridStep(int step);

    // --- Autosave.

    // Keeps a recovery file of the unsaved form in dir: written every minute while the form
    // is modified (on this thread's message loop) and by a crash signal, removed by a save.
    void EnableRecovery(const std::string& dir);
    TRecovery* Recovery() const { return FRecovery.get(); }
    // Writes the recovery file now when the form is modified.
    void Autosave();
    // Makes the recovered form the current one, as one undo step on the form's own file.
    void Recover();

    void AddListener(TDesignerListener* listener);
    void RemoveListener(TDesignerListener* listener);

    // TDesignerHook.
    void PaintGrid(HDC dc) override;
    bool IsDesignMsg(TControl*, TMessage&) override { return true; }

private:
    struct TSnapshot {
        std::vector<std::uint8_t> Stream;
        std::vector<std::pair<std::string, int>> Ids;  // component name, identity
        std::vector<std::string> Selection;
    };
    enum class TGestureKind : std::uint8_t { None, Place, Move, Resize, RubberBand };
    struct TGesture {
        TGestureKind Kind = TGestureKind::None;
        TPoint Start{};
        bool Started = false;  // moved past the threshold
        int Handle = -1;
        std::vector<std::pair<TControl*, TRect>> Bounds;  // the controls' bounds at the start
        TRect Outline{};
        TSnapshot Before;
    };

    std::unique_ptr<TForm> ReadDesigned(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> Canonical(std::span<const std::uint8_t> fileBytes);
    void Show(std::unique_ptr<TForm> form);
    void StartDocument(TFormDocument document, const std::string& path);
    TSnapshot Snapshot() const;
    void Restore(const TSnapshot& snapshot);
    // Runs an edit as one undo step; when it fails, the form is put back as it was.
    template <class F>
    void Edit(F&& edit);
    void Commit(TSnapshot before);
    void AssignIds();
    int IdOf(const TComponent* component) const;
    std::string OriginOf(const std::string& name) const;
    std::vector<TControl*> SelectedControls() const;
    // The selected controls whose parent is not selected too.
    std::vector<TControl*> SelectedTops() const;
    void ApplyProperty(const std::vector<std::uint8_t>& list, TComponent& component);
    void Rename(TComponent& component, const std::string& name);
    void PasteText(const std::string& text);
    void SetGestureOutline(const TRect& r);
    // Ends a gesture without an undo step; controls being dragged go back.
    void CancelGesture();
    TPoint Snap(TPoint p) const;
    void Notify(void (TDesignerListener::*what)());
    void UpdateRecovery();

    class TFormHost;

    std::unique_ptr<TForm> FForm;
    std::unique_ptr<TFormHost> FHost;
    TFormDocument FDocument;
    std::string FFileName;
    std::vector<std::uint8_t> FLoadedStream;    // the canonical stream of the document's form
    std::map<int, std::string> FDocumentNames;  // identity -> name in the document
    std::vector<std::uint8_t> FStream;          // the canonical stream of the form now
    std::vector<std::uint8_t> FSavedStream;     // ... when it was last opened or saved
    std::map<const TComponent*, int> FIds;
    int FNextId = 1;
    std::vector<TComponent*> FSelection;
    std::vector<TSnapshot> FUndo;
    std::vector<TSnapshot> FRedo;
    const TClassInfo* FPlacing = nullptr;
    TGesture FGesture;
    int FGridStep = kDefaultGrid;
    bool FLastSaveRewritten = false;
    std::vector<TDesignerListener*> FListeners;
    // The grid's dots on the form's colour, made once for a size and colour.
    std::unique_ptr<TBitmap> FGrid;
    std::uint32_t FGridColor = 0;
    std::string FRecoveryDir;
    std::unique_ptr<TRecovery> FRecovery;
    std::unique_ptr<TTimer> FAutosaveTimer;
};
