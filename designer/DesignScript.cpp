#include "designer/DesignScript.h"

#include <charconv>
#include <vector>

#include "core/AnsiText.h"
#include "designer/TDesignSurface.h"
#include "designer/TDesigner.h"
#include "io/PngWriter.h"

namespace DesignScript {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The first word of s, and s after it.
std::string_view NextWord(std::string_view& s) {
    s = Trim(s);
    std::size_t end = 0;
    while (end < s.size() && !IsBlank(s[end])) ++end;
    const std::string_view word = s.substr(0, end);
    s = Trim(s.substr(end));
    return word;
}

std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> words;
    for (std::string_view w = NextWord(s); !w.empty(); w = NextWord(s)) words.emplace_back(w);
    return words;
}

int Number(const std::string& word, const char* what) {
    int v = 0;
    const auto r = std::from_chars(word.data(), word.data() + word.size(), v);
    if (r.ec != std::errc() || r.ptr != word.data() + word.size())
        throw EDesignError(std::string("expected ") + what + " (a whole number), found '" + word +
                           "'");
    return v;
}

void Expect(const std::vector<std::string>& args, std::size_t count, const char* usage) {
    if (args.size() != count) throw EDesignError(std::string("usage: ") + usage);
}

}  // namespace

void RunCommand(TDesigner& d, std::string_view line) {
    std::string_view rest = line;
    const std::string command = LowerCase(NextWord(rest));
    if (command == "set") {
        const std::string property(NextWord(rest));
        if (property.empty()) throw EDesignError("usage: set PROPERTY VALUE");
        d.SetProperty(property, std::string(rest));
        return;
    }
    const std::vector<std::string> args = Words(rest);
    if (command == "new") {
        if (args.size() > 1) throw EDesignError("usage: new [CLASS]");
        d.New(args.empty() ? "TForm" : args[0]);
    } else if (command == "open") {
        Expect(args, 1, "open FILE");
        d.Open(args[0]);
    } else if (command == "place") {
        Expect(args, 5, "place CLASS LEFT TOP WIDTH HEIGHT");
        const int left = Number(args[1], "LEFT"), top = Number(args[2], "TOP");
        const int width = Number(args[3], "WIDTH"), height = Number(args[4], "HEIGHT");
        if (width < 0 || height < 0) throw EDesignError("a width or height is 0 or more");
        d.Place(args[0], TRect{left, top, left + width, top + height});
    } else if (command == "select") {
        if (args.empty()) throw EDesignError("usage: select NAME [NAME ...]");
        d.SelectByName(args);
    } else if (command == "move" || command == "resize") {
        Expect(args, 2, command == "move" ? "move DX DY" : "resize DW DH");
        const int a = Number(args[0], command == "move" ? "DX" : "DW");
        const int b = Number(args[1], command == "move" ? "DY" : "DH");
        if (command == "move")
            d.MoveBy(a, b);
        else
            d.ResizeBy(a, b);
    } else if (command == "delete" || command == "front" || command == "back" ||
               command == "undo" || command == "redo" || command == "copy" || command == "cut" ||
               command == "paste") {
        Expect(args, 0, command.c_str());
        if (command == "delete") d.DeleteSelection();
        if (command == "front") d.BringToFront();
        if (command == "back") d.SendToBack();
        if (command == "undo" && !d.Undo()) throw EDesignError("there is nothing to undo");
        if (command == "redo" && !d.Redo()) throw EDesignError("there is nothing to redo");
        if (command == "copy") d.Copy();
        if (command == "cut") d.Cut();
        if (command == "paste") d.Paste();
    } else if (command == "bitmap") {
        if (args.empty() || args.size() > 2) throw EDesignError("usage: bitmap PROPERTY [FILE]");
        d.LoadBitmap(args[0], args.size() == 2 ? args[1] : "");
    } else if (command == "grid") {
        Expect(args, 1, "grid STEP");
        d.SetGridStep(Number(args[0], "STEP"));
    } else if (command == "save") {
        if (args.empty() || args.size() > 2 ||
            (args.size() == 2 && args[1] != "--text" && args[1] != "--binary"))
            throw EDesignError("usage: save FILE [--text | --binary]");
        std::optional<FormFiles::TFormFormat> format;
        if (args.size() == 2)
            format = args[1] == "--binary" ? FormFiles::TFormFormat::Binary
                                           : FormFiles::TFormFormat::Text;
        d.SaveAs(args[0], format);
    } else if (command == "screenshot") {
        Expect(args, 1, "screenshot FILE");
        d.Update();
        PngWriter::Write(DesignSurfaceImage(d), args[0]);
    } else {
        throw EDesignError("unknown command '" + command +
                           "' (new, open, place, select, set, move, resize, delete, front, back, "
                           "undo, redo, copy, cut, paste, bitmap, grid, save, screenshot)");
    }
}

void Run(TDesigner& designer, std::string_view script) {
    int number = 0;
    std::size_t at = 0;
    while (at <= script.size()) {
        const std::size_t end = script.find('\n', at);
        const std::string_view line =
            Trim(script.substr(at, end == std::string_view::npos ? end : end - at));
        ++number;
        at = end == std::string_view::npos ? script.size() + 1 : end + 1;
        if (line.empty() || line.front() == '#') continue;
        try {
            RunCommand(designer, line);
        } catch (const std::exception& e) {
            throw EScriptError(number, std::string(line) + ": " + e.what());
        }
    }
}

}  // namespace DesignScript
