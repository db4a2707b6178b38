// The glyph list boxes of the gallery: both box styles, enabled and disabled, and the bitmap
// list with its own glyphs and with pictures drawn here.
#include <initializer_list>
#include <string>
#include <vector>

#include "app/Gallery.h"
#include "glyphlists/TQELBmpList.h"
#include "glyphlists/TQELCheckList.h"
#include "glyphlists/TQELRadioList.h"
#include "graphics/Graphics.h"
#include "graphics/TCanvas.h"

namespace Gallery {
namespace {

using namespace Qellist;

template <class T>
T* List(TForm& form, const char* name, TRect r, std::vector<std::string> items,
        std::initializer_list<int> selected) {
    auto* list = new T(&form);
    list->SetName(name);
    list->SetBoundsRect(r);
    list->Items()->SetAll(std::move(items));
    for (int i : selected) list->SetSelected(i, true);
    list->SetParent(&form);
    return list;
}

// A 20 x 20 picture: a filled disc for "on", an open ring for "off".
void DrawDisc(TBitmap& bitmap, TColor fill, TColor edge, bool filled) {
    bitmap.SetSize(20, 20);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, 20, 20});
    canvas->Pen()->SetColor(edge);
    canvas->Brush()->SetColor(filled ? fill : clWhite);
    canvas->Ellipse(2, 2, 18, 18);
    if (!filled) return;
    canvas->Brush()->SetColor(clWhite);
    canvas->Pen()->SetColor(clWhite);
    canvas->Ellipse(6, 6, 10, 10);
}

}  // namespace

void AddLists(TForm& form, const TRect& area) {
    const int top = area.Top + 8, bottom = area.Bottom - 8, width = 104;
    auto column = [&](int i) {
        return TRect{8 + i * (width + 8), top, 8 + i * (width + 8) + width, bottom};
    };

    List<TQELCheckList>(form, "CheckList3D", column(0),
                        {"Bold", "Italic", "Underline", "Strike out", "Small caps", "Shadow",
                         "Outline", "Emboss", "Engrave", "Superscript", "Subscript"},
                        {0, 2, 5});

    auto* flat = List<TQELCheckList>(
        form, "CheckListFlat", column(1),
        {"Flat boxes", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Disabled"},
        {1, 3, 6});
    flat->SetCheckBoxStyle(chsNormal);
    flat->SetEnabled(false);

    List<TQELRadioList>(form, "RadioList3D", column(2),
                        {"Left", "Centre", "Right", "Justify", "Distribute"}, {1});

    auto* radioFlat =
        List<TQELRadioList>(form, "RadioListFlat", column(3),
                            {"Flat buttons", "Small", "Medium", "Large", "Disabled"}, {2});
    radioFlat->SetCheckBoxStyle(chsNormal);
    radioFlat->SetEnabled(false);

    List<TQELBmpList>(form, "BmpList", column(4),
                      {"Glyphs", "Apples", "Pears", "Plums", "Cherries", "Quinces"}, {1, 4});

    auto* custom = List<TQELBmpList>(form, "BmpListCustom", column(5),
                                     {"Pictures", "Online", "Away", "Offline", "Busy"}, {1, 4});
    TBitmap on, off;
    DrawDisc(on, clGreen, clBlack, true);
    DrawDisc(off, clWhite, clGray, false);
    custom->SetBitmapON(&on);
    custom->SetBitmapOFF(&off);
    custom->SetBitmapHeight(20);
    custom->SetBitmapWidth(20);
    custom->SetDistFromBMP(8);
    custom->SetColor(clWhite);
    // A font taller than 13 pixels keeps the item height that the 20-pixel bitmaps raised.
    custom->Font()->SetHeight(-16);
}

}  // namespace Gallery
