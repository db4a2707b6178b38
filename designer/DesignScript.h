// The designer's command language: one command a line, each a command of TDesigner, for tests
// and automation. Blank lines and lines starting with '#' are skipped.
//
//   new [CLASS]                        a new form (TForm, or a class of the user's own)
//   open FILE                          a form file, text or binary
//   place CLASS LEFT TOP WIDTH HEIGHT  a new control in the container under (LEFT, TOP),
//                                      form coordinates; a width or height of 0 keeps the
//                                      class's default; it becomes the selection
//   select NAME [NAME ...]             the components of those names
//   set PROPERTY VALUE                 a property of the selection, as a text form file
//                                      writes it: set Color clRed, set Font.Style [fsBold],
//                                      set Caption 'text', set Items.Strings ( 'a' 'b' )
//   move DX DY | resize DW DH          move or resize the selection
//   delete | front | back              delete, bring to front, send to back
//   undo | redo | copy | cut | paste
//   bitmap PROPERTY [FILE]             load a .bmp file into a bitmap property of the
//                                      selection; without FILE, empty it
//   grid STEP                          the grid step for gestures and arrow keys
//   save FILE [--text | --binary]      the form's own format for its own file, else binary
//                                      for .dfm and text for anything else
//   screenshot FILE                    the design surface, grid and handles, as PNG
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class TDesigner;

namespace DesignScript {

// A command that failed: the line it is on and what went wrong.
class EScriptError : public std::runtime_error {
public:
    EScriptError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message),
          FLine(line),
          FMessage(message) {}
    int Line() const { return FLine; }
    // What went wrong, without the line.
    const std::string& Message() const { return FMessage; }

private:
    int FLine;
    std::string FMessage;
};

// Runs one command; raises EDesignError (or std::runtime_error for files) when it fails.
void RunCommand(TDesigner& designer, std::string_view line);
// Runs every line of a script and stops at the first that fails, with EScriptError.
void Run(TDesigner& designer, std::string_view script);

}  // namespace DesignScript
