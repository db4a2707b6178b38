// The designer's window, as a form of the framework's own controls: a tool bar of commands and
// the component palette (the package's page "QEL" first, each class a button with its palette
// bitmap, then the framework's pages), the object tree and the object inspector on the left,
// the design surface, and a status line with the package's description and what the last
// command said. Questions (a file name, unsaved changes) are asked in a bar under the tool
// bar. The form needs no display: a window host shows it, the tests drive it headless.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/TForm.h"
#include "designer/TDesigner.h"
#include "win/WinApi.h"

class TButton;
class TEdit;
class TLabel;
class TListBox;
class TMemo;
class TPanel;
class TSpeedButton;
class TSplitter;
class TDesignSurface;
class TObjectInspector;

class TDesignerWindow : public TForm, private TDesignerListener {
public:
    // package: the module whose palette bitmaps the palette shows (null: none); description:
    // the package's description, for the status line.
    TDesignerWindow(TDesigner& designer, HMODULE package, const std::string& description);
    ~TDesignerWindow() override;

    TDesigner& Designer() const { return FDesigner; }
    TDesignSurface* Surface() const { return FSurface; }
    TObjectInspector* Inspector() const { return FInspector; }
    TListBox* Tree() const { return FTree; }

    // The palette: its pages, the page shown, and the button of a class on it.
    std::vector<std::string> PalettePages() const;
    void ShowPalettePage(const std::string& page);
    const std::string& PalettePage() const { return FPage; }
    TSpeedButton* PaletteButton(const std::string& className) const;
    TButton* CommandButton(const std::string& caption) const;

    std::string StatusText() const;
    void SetMessage(const std::string& message);

    // The commands of the tool bar and the keys.
    void NewForm();
    void OpenForm();
    void SaveForm();
    void SaveFormAs();
    void Preview();
    // Runs a designer command; what it refuses goes to the status line.
    void Run(const std::function<void()>& command);

    // Whether the window may close now. With unsaved changes it asks first (save, discard,
    // cancel) and calls OnClose once the question is answered for closing.
    bool CloseQuery();
    // Asks whether to take back what autosave kept, when there is a recovery file.
    void OfferRecovery();

    // A question in the bar under the tool bar: text to read, an edit box (when withEdit)
    // holding text, and buttons; done gets the button's index (the last for Escape) and the
    // edit box's text.
    void Ask(const std::string& question, bool withEdit, const std::string& text,
             const std::vector<std::string>& buttons,
             std::function<void(int button, const std::string& text)> done);
    bool Asking() const;
    TEdit* QuestionEdit() const { return FQuestionEdit; }
    void Answer(int button);

    // What the window host does for it.
    std::function<void()> OnPreview;
    std::function<void()> OnClose;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    void FormReplaced() override;
    void FormChanged() override;
    void SelectionChanged() override;

    void BuildToolBar();
    void BuildPalette();
    void BuildQuestionBar();
    void BuildStringsEditor();
    void FillTree();
    void UpdateTitle();
    void PlacingEnded();
    void EditStrings(const std::string& path);
    void EditBitmap(const std::string& path);
    void SaveTo(const std::string& path);

    TDesigner& FDesigner;
    HMODULE FPackage;
    std::string FDescription;
    std::string FMessage;
    TPanel* FToolBar = nullptr;
    TPanel* FStatus = nullptr;
    TPanel* FLeft = nullptr;
    TListBox* FTree = nullptr;
    TObjectInspector* FInspector = nullptr;
    TDesignSurface* FSurface = nullptr;
    TPanel* FQuestion = nullptr;
    TLabel* FQuestionLabel = nullptr;
    TEdit* FQuestionEdit = nullptr;
    std::vector<TButton*> FQuestionButtons;
    std::function<void(int, const std::string&)> FQuestionDone;
    TPanel* FStrings = nullptr;
    TMemo* FStringsMemo = nullptr;
    std::string FStringsPath;
    std::vector<TButton*> FCommands;
    std::vector<TSpeedButton*> FPageButtons;
    TSpeedButton* FArrow = nullptr;
    std::string FPage;
    std::map<std::string, std::vector<TSpeedButton*>> FPalette;  // page -> its class buttons
    std::vector<TComponent*> FTreeComponents;
};
