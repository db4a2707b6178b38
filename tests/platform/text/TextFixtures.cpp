#include "platform/text/TextFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "io/PngWriter.h"

namespace {

std::string FixturePath(const std::string& name) {
    return std::string(QM_SOURCE_DIR) + "/tests/fixtures/text/" + name;
}

// Reads a quoted string with the escapes the recording program writes (\\, \", \xHH).
std::string Quoted(std::istream& in) {
    in >> std::ws;
    if (in.get() != '"') throw std::runtime_error("expected a quoted string");
    std::string s;
    for (int c; (c = in.get()) != '"';) {
        if (c == EOF) throw std::runtime_error("unterminated string");
        if (c == '\\') {
            c = in.get();
            if (c == 'x') {
                char hex[3] = {0, 0, 0};
                in.read(hex, 2);
                c = static_cast<int>(std::strtol(hex, nullptr, 16));
            }
        }
        s += static_cast<char>(c);
    }
    return s;
}

TTextFixtures Read() {
    TTextFixtures f;
    std::ifstream file(FixturePath("text.txt"), std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + FixturePath("text.txt"));
    std::string line;
    int lineNo = 0;
    while (std::getline(file, line)) {
        ++lineNo;
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        try {
            if (kind == "#") {
                std::string word;
                while (in >> word) {
                    auto hex = [&] {
                        std::string v;
                        in >> v;
                        return static_cast<COLORREF>(std::stoul(v, nullptr, 16));
                    };
                    if (word == "Sentinel") f.Sentinel = hex();
                    if (word == "ink") f.Ink = hex();
                    if (word == "paper") f.Paper = hex();
                }
                continue;
            }
            int id = 0;
            if (kind == "font") {
                TFixtureFont font;
                in >> font.Id >> font.Height >> font.Weight >> font.Italic >> font.Underline >>
                    font.StrikeOut;
                font.Face = Quoted(in);
                font.FullName = Quoted(in);
                f.Fonts.push_back(font);
                continue;
            }
            if (kind == "drawtext") {
                TDrawTextCase c;
                std::string format;
                TRect& r = c.Rect;
                TRect& o = c.ResultRect;
                in >> c.Index >> c.Font >> r.Left >> r.Top >> r.Right >> r.Bottom >> format >>
                    c.Count >> c.BkMode >> c.Result >> o.Left >> o.Top >> o.Right >> o.Bottom;
                c.Format = static_cast<UINT>(std::stoul(format, nullptr, 16));
                c.Text = Quoted(in);
                f.Cases.push_back(c);
                continue;
            }
            if (kind == "drawsheet") {
                in >> f.DrawSheet >> f.TileWidth >> f.TileHeight;
                continue;
            }
            in >> id;
            if (f.Fonts.empty() || f.Fonts.back().Id != id)
                throw std::runtime_error("record for a font not yet introduced");
            TFixtureFont& font = f.Fonts.back();
            if (kind == "metrics") {
                TEXTMETRICA& m = font.Metrics;
                int b[9];
                in >> m.tmHeight >> m.tmAscent >> m.tmDescent >> m.tmInternalLeading >>
                    m.tmExternalLeading >> m.tmAveCharWidth >> m.tmMaxCharWidth >> m.tmWeight >>
                    m.tmOverhang >> m.tmDigitizedAspectX >> m.tmDigitizedAspectY;
                for (int& v : b) in >> v;
                m.tmFirstChar = static_cast<BYTE>(b[0]);
                m.tmLastChar = static_cast<BYTE>(b[1]);
                m.tmDefaultChar = static_cast<BYTE>(b[2]);
                m.tmBreakChar = static_cast<BYTE>(b[3]);
                m.tmItalic = static_cast<BYTE>(b[4]);
                m.tmUnderlined = static_cast<BYTE>(b[5]);
                m.tmStruckOut = static_cast<BYTE>(b[6]);
                m.tmPitchAndFamily = static_cast<BYTE>(b[7]);
                m.tmCharSet = static_cast<BYTE>(b[8]);
            } else if (kind == "widths") {
                for (int& w : font.Widths) in >> w;
            } else if (kind == "extent") {
                TFixtureExtent e;
                in >> e.Size.X >> e.Size.Y;
                e.Text = Quoted(in);
                font.Extents.push_back(e);
            } else if (kind == "textout") {
                TFixtureLine l;
                in >> l.X >> l.Y >> l.BkMode;
                l.Text = Quoted(in);
                font.Lines.push_back(l);
            } else if (kind == "sheet") {
                in >> font.Sheet >> font.SheetWidth >> font.SheetHeight;
            } else if (kind != "underline") {
                throw std::runtime_error("unknown record '" + kind + "'");
            }
            if (in.fail()) throw std::runtime_error("malformed record");
        } catch (const std::exception& e) {
            throw std::runtime_error("text.txt line " + std::to_string(lineNo) + ": " + e.what());
        }
    }
    return f;
}

}  // namespace

TLogFont TFixtureFont::LogFont() const {
    TLogFont lf;
    lf.Name = Face;
    lf.Height = Height;
    lf.Bold = Weight >= 600;
    lf.Italic = Italic;
    lf.Underline = Underline;
    lf.StrikeOut = StrikeOut;
    return lf;
}

std::string TFixtureFont::Describe() const {
    std::string s = Face + " " + std::to_string(Height);
    if (Weight >= 600) s += " bold";
    if (Italic) s += " italic";
    if (Underline) s += " underlined";
    if (StrikeOut) s += " struck out";
    return s;
}

const TFixtureFont& TTextFixtures::Font(int id) const {
    for (const auto& f : Fonts)
        if (f.Id == id) return f;
    throw std::out_of_range("no fixture font " + std::to_string(id));
}

TSurface TTextFixtures::Image(const std::string& name) {
    std::string png = name.substr(0, name.rfind('.')) + ".png";
    return PngWriter::Read(FixturePath(png));
}

const TTextFixtures& TTextFixtures::Get() {
    static const TTextFixtures fixtures = Read();
    return fixtures;
}
