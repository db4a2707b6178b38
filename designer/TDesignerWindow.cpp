#include "designer/TDesignerWindow.h"

#include <filesystem>

#include "classes/ComponentPalette.h"
#include "classes/TClassRegistry.h"
#include "controls/TButton.h"
#include "controls/TComboBox.h"
#include "controls/TCustomEdit.h"
#include "controls/TEdit.h"
#include "controls/TLabel.h"
#include "controls/TListBox.h"
#include "controls/TMemo.h"
#include "controls/TPanel.h"
#include "controls/TSpeedButton.h"
#include "controls/TSplitter.h"
#include "controls/TWindowHost.h"
#include "core/AnsiText.h"
#include "designer/PropertyText.h"
#include "designer/TDesignSurface.h"
#include "designer/TObjectInspector.h"
#include "designer/TRecovery.h"
#include "gdi/TBitmapImage.h"
#include "graphics/BmpCodec.h"
#include "graphics/Graphics.h"
#include "modules/TModuleRecordImpl.h"

namespace {

constexpr int kToolBarHeight = 64;
constexpr int kPaletteButton = 28;
constexpr TColor kTransparent = clFuchsia;

// A palette picture for a class the package has no bitmap for: a white card with the first
// letters of the class name, on the colour that shows the face through.
std::unique_ptr<TBitmap> CardGlyph(const std::string& className) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetSize(24, 24);
    TCanvas* c = glyph->Canvas();
    c->Brush()->SetColor(kTransparent);
    c->FillRect(TRect{0, 0, 24, 24});
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{2, 3, 22, 21});
    c->Brush()->SetColor(clGray);
    c->FrameRect(TRect{2, 3, 22, 21});
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-9);
    c->Font()->SetColor(clNavy);
    c->Brush()->SetStyle(bsClear);
    const std::string letters = className.substr(1, 3);
    c->TextOut(12 - c->TextWidth(letters) / 2, 12 - c->TextHeight(letters) / 2, letters);
    return glyph;
}

}  // namespace

TDesignerWindow::TDesignerWindow(TDesigner& designer, HMODULE package,
                                 const std::string& description)
    : TForm(nullptr), FDesigner(designer), FPackage(package), FDescription(description) {
    SetName("DesignerWindow");
    SetKeyPreview(true);
    SetClientWidth(1024);
    SetClientHeight(720);
    BuildToolBar();
    BuildQuestionBar();

    FStatus = new TPanel(this);
    FStatus->SetAlign(alBottom);
    FStatus->SetHeight(20);
    FStatus->SetBevelOuter(bvLowered);
    FStatus->SetAlignment(taLeftJustify);
    FStatus->SetParent(this);

    FLeft = new TPanel(this);
    FLeft->SetAlign(alLeft);
    FLeft->SetWidth(250);
    FLeft->SetBevelOuter(bvNone);
    FLeft->SetParent(this);
    FTree = new TListBox(this);
    FTree->SetAlign(alTop);
    FTree->SetHeight(150);
    FTree->SetParent(FLeft);
    FTree->OnClick = [this](TPersistent*) {
        const int i = FTree->ItemIndex();
        if (i >= 0 && i < static_cast<int>(FTreeComponents.size()))
            FDesigner.Select({FTreeComponents[static_cast<std::size_t>(i)]});
    };
    auto* treeSplit = new TSplitter(this);
    treeSplit->SetAlign(alTop);
    treeSplit->SetHeight(3);
    treeSplit->SetTop(151);
    treeSplit->SetParent(FLeft);
    FInspector = new TObjectInspector(this, FDesigner);
    FInspector->SetAlign(alClient);
    FInspector->SetParent(FLeft);
    FInspector->OnMessage = [this](const std::string& m) { SetMessage(m); };
    FInspector->OnEditStrings = [this](const std::string& path) { EditStrings(path); };
    FInspector->OnEditBitmap = [this](const std::string& path) { EditBitmap(path); };

    auto* split = new TSplitter(this);
    split->SetLeft(251);
    split->SetParent(this);

    FSurface = new TDesignSurface(this, FDesigner);
    FSurface->SetAlign(alClient);
    FSurface->SetParent(this);
    BuildStringsEditor();

    FDesigner.AddListener(this);
    BuildPalette();
    FillTree();
    UpdateTitle();
}

TDesignerWindow::~TDesignerWindow() {
    FDesigner.RemoveListener(this);
}

// ---------------------------------------------------------------------------------------------
// Building.

void TDesignerWindow::BuildToolBar() {
    FToolBar = new TPanel(this);
    FToolBar->SetAlign(alTop);
    FToolBar->SetHeight(kToolBarHeight);
    FToolBar->SetParent(this);
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [this] { NewForm(); }},
        {"Open", [this] { OpenForm(); }},
        {"Save", [this] { SaveForm(); }},
        {"Save as", [this] { SaveFormAs(); }},
        {"Undo", [this] { Run([this] { FDesigner.Undo(); }); }},
        {"Redo", [this] { Run([this] { FDesigner.Redo(); }); }},
        {"Cut", [this] { Run([this] { FDesigner.Cut(); }); }},
        {"Copy", [this] { Run([this] { FDesigner.Copy(); }); }},
        {"Paste", [this] { Run([this] { FDesigner.Paste(); }); }},
        {"Delete", [this] { Run([this] { FDesigner.DeleteSelection(); }); }},
        {"Front", [this] { Run([this] { FDesigner.BringToFront(); }); }},
        {"Back", [this] { Run([this] { FDesigner.SendToBack(); }); }},
        {"Preview", [this] { Preview(); }},
    };
    int x = 4;
    for (const auto& [caption, command] : commands) {
        auto* b = new TButton(this);
        b->SetCaption(caption);
        b->SetBounds(x, 4, 56, 22);
        b->SetTabStop(false);
        b->OnClick = [action = command](TPersistent*) { action(); };
        b->SetParent(FToolBar);
        FCommands.push_back(b);
        x += 58;
    }
}

void TDesignerWindow::BuildPalette() {
    TCanvas measure;
    measure.SetFont(Font());
    int x = 4;
    FArrow = new TSpeedButton(this);
    FArrow->SetGroupIndex(1);
    FArrow->SetCaption("Select");
    FArrow->SetFlat(true);
    FArrow->SetDown(true);
    FArrow->OnClick = [this](TPersistent*) { FDesigner.SetPlacingClass(nullptr); };
    FArrow->SetParent(FToolBar);
    for (const std::string& page : ComponentPalette::Pages()) {
        auto* tab = new TSpeedButton(this);
        tab->SetGroupIndex(2);
        tab->SetCaption(page);
        tab->SetBounds(x, 30, measure.TextWidth(page) + 14, 16);
        tab->OnClick = [this, page](TPersistent*) { ShowPalettePage(page); };
        tab->SetParent(FToolBar);
        FPageButtons.push_back(tab);
        x += tab->Width() + 2;
        std::vector<TSpeedButton*>& buttons = FPalette[page];
        for (const TClassInfo* cls : ComponentPalette::Page(page)) {
            auto* b = new TSpeedButton(this);
            b->SetGroupIndex(1);
            b->SetFlat(true);
            b->SetHint(cls->Name);
            b->SetShowHint(true);
            const TResourceEntry* r =
                FPackage ? FPackage->Find(RT_BITMAP, UpperCase(cls->Name)) : nullptr;
            std::unique_ptr<TBitmap> glyph;
            if (r) {
                try {
                    glyph = std::make_unique<TBitmap>();
                    glyph->SetHandle(new TBitmapImage(BmpCodec::DecodeDib(r->Data, r->Size)));
                } catch (const std::exception&) {
                    glyph.reset();
                }
            }
            if (!glyph) glyph = CardGlyph(cls->Name);
            b->SetGlyph(glyph.get());
            b->OnClick = [this, cls, b](TPersistent*) {
                FDesigner.SetPlacingClass(b->Down() ? cls : nullptr);
                SetMessage(std::string("Click or drag on the form to place a ") + cls->Name);
            };
            b->OnMouseMove = [this, cls](TPersistent*, TShiftState, int, int) {
                if (FMessage != cls->Name) SetMessage(cls->Name);
            };
            b->SetVisible(false);
            b->SetParent(FToolBar);
            buttons.push_back(b);
        }
    }
    const std::vector<std::string> pages = ComponentPalette::Pages();
    if (!pages.empty()) ShowPalettePage(pages.front());
}

void TDesignerWindow::BuildQuestionBar() {
    FQuestion = new TPanel(this);
    FQuestion->SetAlign(alTop);
    FQuestion->SetHeight(30);
    FQuestion->SetTop(kToolBarHeight);
    FQuestion->SetVisible(false);
    FQuestion->SetParent(this);
    FQuestionLabel = new TLabel(this);
    FQuestionLabel->SetBounds(8, 8, 0, 0);
    FQuestionLabel->SetParent(FQuestion);
    FQuestionEdit = new TEdit(this);
    FQuestionEdit->OnKeyDown = [this](TPersistent*, WORD& key, TShiftState) {
        if (key == VK_RETURN) {
            key = 0;
            Answer(0);
        } else if (key == VK_ESCAPE) {
            key = 0;
            Answer(static_cast<int>(FQuestionButtons.size()) - 1);
        }
    };
    FQuestionEdit->SetParent(FQuestion);
    for (int i = 0; i < 3; ++i) {
        auto* b = new TButton(this);
        b->OnClick = [this, i](TPersistent*) { Answer(i); };
        b->SetParent(FQuestion);
        FQuestionButtons.push_back(b);
    }
}

void TDesignerWindow::BuildStringsEditor() {
    FStrings = new TPanel(this);
    FStrings->SetBounds(300, 120, 320, 240);
    FStrings->SetBevelWidth(2);
    FStrings->SetVisible(false);
    FStrings->SetParent(this);
    auto* title = new TLabel(this);
    title->SetBounds(8, 6, 0, 0);
    title->SetCaption("One item a line:");
    title->SetParent(FStrings);
    FStringsMemo = new TMemo(this);
    FStringsMemo->SetBounds(8, 24, 304, 172);
    FStringsMemo->SetParent(FStrings);
    const char* captions[] = {"OK", "Cancel"};
    for (int i = 0; i < 2; ++i) {
        auto* b = new TButton(this);
        b->SetCaption(captions[i]);
        b->SetBounds(156 + 80 * i, 204, 75, 25);
        b->OnClick = [this, i](TPersistent*) {
            FStrings->SetVisible(false);
            if (i != 0) return;
            std::string list = "(";
            for (const std::string& line : FStringsMemo->Lines()->All())
                list += " " + PropertyText::Quote(line);
            Run([&] { FDesigner.SetProperty(FStringsPath + ".Strings", list + " )"); });
        };
        b->SetParent(FStrings);
    }
}

// ---------------------------------------------------------------------------------------------
// The palette.

std::vector<std::string> TDesignerWindow::PalettePages() const {
    std::vector<std::string> pages;
    for (TSpeedButton* b : FPageButtons) pages.push_back(b->Caption());
    return pages;
}

void TDesignerWindow::ShowPalettePage(const std::string& page) {
    FPage = page;
    int x = 4;
    for (TSpeedButton* tab : FPageButtons) {
        if (tab->Caption() == page) tab->SetDown(true);
        x = std::max(x, tab->Left() + tab->Width());
    }
    x += 12;
    FArrow->SetBounds(x, 30, 44, kPaletteButton);
    x += 48;
    for (auto& [name, buttons] : FPalette)
        for (TSpeedButton* b : buttons) {
            const bool shown = name == page;
            b->SetVisible(shown);
            if (!shown) continue;
            b->SetBounds(x, 30, kPaletteButton, kPaletteButton);
            x += kPaletteButton + 1;
        }
}

TSpeedButton* TDesignerWindow::PaletteButton(const std::string& className) const {
    for (const auto& [page, buttons] : FPalette)
        for (TSpeedButton* b : buttons)
            if (SameText(b->Hint(), className)) return b;
    return nullptr;
}

TButton* TDesignerWindow::CommandButton(const std::string& caption) const {
    for (TButton* b : FCommands)
        if (b->Caption() == caption) return b;
    return nullptr;
}

void TDesignerWindow::PlacingEnded() {
    if (!FDesigner.PlacingClass() && !FArrow->Down()) FArrow->SetDown(true);
}

// ---------------------------------------------------------------------------------------------
// The tree, the title, the status line.

void TDesignerWindow::FillTree() {
    FTreeComponents = FDesigner.Components();
    std::vector<std::string> items;
    for (TComponent* c : FTreeComponents) {
        int depth = 0;
        for (TComponent* p = c->GetParentComponent(); p; p = p->GetParentComponent()) ++depth;
        items.push_back(std::string(static_cast<std::size_t>(depth) * 3, ' ') + c->Name() + ": " +
                        c->ClassName());
    }
    if (items != FTree->Items()->All()) FTree->Items()->SetAll(items);
    const auto& selection = FDesigner.Selection();
    const auto it = selection.empty() ? FTreeComponents.end()
                                      : std::find(FTreeComponents.begin(), FTreeComponents.end(),
                                                  selection.front());
    FTree->SetItemIndex(
        it == FTreeComponents.end() ? -1 : static_cast<int>(it - FTreeComponents.begin()));
}

void TDesignerWindow::UpdateTitle() {
    const std::string file = FDesigner.FileName().empty()
                                 ? "Untitled"
                                 : std::filesystem::path(FDesigner.FileName()).filename().string();
    SetCaption("Quillmere designer - " + file + (FDesigner.Modified() ? " *" : ""));
    FStatus->SetCaption(StatusText());
}

std::string TDesignerWindow::StatusText() const {
    std::string text = " " + FDescription;
    if (!FMessage.empty()) text += "   |   " + FMessage;
    return text;
}

void TDesignerWindow::SetMessage(const std::string& message) {
    FMessage = message;
    FStatus->SetCaption(StatusText());
}

void TDesignerWindow::FormReplaced() {
    FillTree();
    UpdateTitle();
}

void TDesignerWindow::FormChanged() {
    FillTree();
    UpdateTitle();
    PlacingEnded();
}

void TDesignerWindow::SelectionChanged() {
    FillTree();
    PlacingEnded();
}

// ---------------------------------------------------------------------------------------------
// Commands.

void TDesignerWindow::Run(const std::function<void()>& command) {
    try {
        command();
        FDesigner.Update();
    } catch (const std::exception& e) {
        SetMessage(e.what());
    }
}

void TDesignerWindow::NewForm() {
    auto start = [this] {
        Run([this] { FDesigner.New(); });
        SetMessage("A new form");
    };
    if (!FDesigner.Modified()) {
        start();
        return;
    }
    Ask("Discard the changes to this form?", false, "", {"Discard", "Cancel"},
        [start](int button, const std::string&) {
            if (button == 0) start();
        });
}

void TDesignerWindow::OpenForm() {
    Ask("Open the form file:", true, FDesigner.FileName(), {"Open", "Cancel"},
        [this](int button, const std::string& path) {
            if (button != 0 || path.empty()) return;
            Run([&] {
                FDesigner.Open(path);
                SetMessage("Opened " + path);
            });
        });
}

void TDesignerWindow::SaveTo(const std::string& path) {
    Run([&] {
        FDesigner.SaveAs(path);
        SetMessage("Saved " + path +
                   (FDesigner.LastSaveRewritten() ? " (written in full: the file's own layout "
                                                    "could not hold the edit)"
                                                  : ""));
    });
}

void TDesignerWindow::SaveForm() {
    if (FDesigner.FileName().empty()) {
        SaveFormAs();
        return;
    }
    SaveTo(FDesigner.FileName());
}

void TDesignerWindow::SaveFormAs() {
    Ask("Save the form as (.dfm: binary, anything else: text):", true,
        FDesigner.FileName().empty() ? "Form1.txt" : FDesigner.FileName(), {"Save", "Cancel"},
        [this](int button, const std::string& path) {
            if (button == 0 && !path.empty()) SaveTo(path);
        });
}

void TDesignerWindow::Preview() {
    if (OnPreview)
        Run(OnPreview);
    else
        SetMessage("There is no window to show the preview in");
}

bool TDesignerWindow::CloseQuery() {
    if (!FDesigner.Modified()) return true;
    Ask("Save the changes to this form before closing?", false, "", {"Save", "Discard", "Cancel"},
        [this](int button, const std::string&) {
            if (button == 2) return;
            if (button == 0) {
                if (FDesigner.FileName().empty()) {
                    SaveFormAs();
                    return;
                }
                SaveForm();
                if (FDesigner.Modified()) return;
            }
            if (button == 1 && FDesigner.Recovery()) FDesigner.Recovery()->Remove();
            if (OnClose) OnClose();
        });
    return false;
}

void TDesignerWindow::OfferRecovery() {
    TRecovery* recovery = FDesigner.Recovery();
    if (!recovery || !recovery->Exists()) return;
    Ask("Autosave kept unsaved changes to this form from " + recovery->WrittenAt() +
            ". Take them back?",
        false, "", {"Recover", "Discard", "Not now"}, [this](int button, const std::string&) {
            if (button == 0)
                Run([this] {
                    FDesigner.Recover();
                    SetMessage("Recovered the unsaved changes; save to keep them");
                });
            if (button == 1) FDesigner.Recovery()->Remove();
        });
}

void TDesignerWindow::EditStrings(const std::string& path) {
    TComponent* component = FDesigner.Selection().empty() ? nullptr : FDesigner.Selection().front();
    if (!component) return;
    // The list the path leads to, as the first selected component holds it.
    TPersistent* target = component;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = path.find('.', start);
        const TPropInfo* p = GetPropInfo(*target->ClassInfo(), path.substr(start, dot - start));
        if (!p || !p->GetObj) return;
        target = p->GetObj(*target);
        if (!target || dot == std::string::npos) break;
        start = dot + 1;
    }
    auto* list = dynamic_cast<TStringList*>(target);
    if (!list) return;
    FStringsPath = path;
    FStringsMemo->Lines()->Assign(list);
    FStrings->SetVisible(true);
    FStrings->BringToFront();
    FStringsMemo->SetFocus();
}

void TDesignerWindow::EditBitmap(const std::string& path) {
    Ask("Load a .bmp file into " + path + ":", true, "", {"Load", "Clear", "Cancel"},
        [this, path](int button, const std::string& file) {
            if (button == 2) return;
            Run([&] {
                FDesigner.LoadBitmap(path, button == 0 ? file : "");
                SetMessage(button == 0 ? "Loaded " + file : "Cleared " + path);
            });
        });
}

// ---------------------------------------------------------------------------------------------
// Questions.

void TDesignerWindow::Ask(const std::string& question, bool withEdit, const std::string& text,
                          const std::vector<std::string>& buttons,
                          std::function<void(int, const std::string&)> done) {
    FQuestionDone = std::move(done);
    FQuestionLabel->SetCaption(question);
    int x = FQuestionLabel->Left() + FQuestionLabel->Width() + 8;
    FQuestionEdit->SetVisible(withEdit);
    if (withEdit) {
        FQuestionEdit->SetBounds(x, 4, 320, 21);
        FQuestionEdit->SetText(text);
        x += 328;
    }
    for (std::size_t i = 0; i < FQuestionButtons.size(); ++i) {
        TButton* b = FQuestionButtons[i];
        b->SetVisible(i < buttons.size());
        if (i >= buttons.size()) continue;
        b->SetCaption(buttons[i]);
        b->SetBounds(x, 3, 75, 24);
        x += 80;
    }
    FQuestion->SetVisible(true);
    if (withEdit && FQuestionEdit->CanFocus()) {
        FQuestionEdit->SetFocus();
        FQuestionEdit->SelectAll();
    } else if (FQuestionButtons.front()->CanFocus()) {
        FQuestionButtons.front()->SetFocus();
    }
}

bool TDesignerWindow::Asking() const {
    return FQuestion->Visible();
}

void TDesignerWindow::Answer(int button) {
    if (!Asking()) return;
    FQuestion->SetVisible(false);
    auto done = std::move(FQuestionDone);
    FQuestionDone = nullptr;
    if (FSurface->CanFocus()) FSurface->SetFocus();
    if (done) done(button, FQuestionEdit->Text());
}

// ---------------------------------------------------------------------------------------------
// Keys: the window sees every key first.

void TDesignerWindow::KeyDown(WORD& key, TShiftState shift) {
    TForm::KeyDown(key, shift);
    const bool ctrl = shift.Contains(ssCtrl);
    TWinControl* focus = Host() ? Host()->FocusedControl() : nullptr;
    const bool inText =
        dynamic_cast<TCustomEdit*>(focus) != nullptr || dynamic_cast<TComboBox*>(focus) != nullptr;
    if (key == VK_F9) {
        Preview();
    } else if (ctrl && key == 'S') {
        if (shift.Contains(ssShift))
            SaveFormAs();
        else
            SaveForm();
    } else if (ctrl && key == 'O') {
        OpenForm();
    } else if (ctrl && key == 'N') {
        NewForm();
    } else if (ctrl && (key == 'Z' || key == 'Y')) {
        Run([&] {
            if (key == 'Z' ? !FDesigner.Undo() : !FDesigner.Redo())
                SetMessage(key == 'Z' ? "Nothing to undo" : "Nothing to redo");
        });
    } else if (!inText && focus != FSurface &&
               (key == VK_DELETE || (ctrl && (key == 'C' || key == 'X' || key == 'V')))) {
        FDesigner.KeyDown(key, shift);
        FDesigner.Update();
    } else {
        return;
    }
    key = 0;
}
