// A form file opened in a design environment: its bytes as they came, and saving that keeps
// them. A form saved without edits is the file it came from, byte for byte; an edit replaces
// only the properties and objects it changed, so that a saved file differs from the one
// before by the lines of the edit, whatever order or spelling the file had.
//
// What changed is found by comparing two canonical streams, as the framework's writer writes
// them: the one of the form as it was read from the file, and the one of the form now. Both
// are written the same way, so they differ exactly where the form was edited; those
// properties and objects are then replaced, removed or added in the file's own bytes. The
// result is read back and must give the current form; where it would not (setters whose
// effects depend on the order a hand-written file gives them in), the form is written in
// full instead.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "streaming/FormFiles.h"

class TFormDocument {
public:
    using TFormFormat = FormFiles::TFormFormat;
    // The name a component had in the document, given the name it has now ("": none, a
    // component added since).
    using TOriginOf = std::function<std::string(const std::string& name)>;
    // The canonical stream of the form that a form file's bytes hold, read as the design
    // environment reads it.
    using TCanonical = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)>;

    // A new form, not yet saved anywhere: saving writes it in full.
    TFormDocument() = default;
    // The bytes of a form file, text or binary, with or without a resource header.
    explicit TFormDocument(std::vector<std::uint8_t> bytes);

    bool IsNew() const { return FNew; }
    TFormFormat Format() const { return FFormat; }
    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }

    struct TSaved {
        std::vector<std::uint8_t> Bytes;
        // The form could not be spliced into the document's bytes and was written in full.
        bool Rewritten = false;
    };
    // The bytes that save the form in format: loaded is the canonical stream of the form as
    // read from this document, current the one of the form now.
    TSaved Save(std::span<const std::uint8_t> loaded, std::span<const std::uint8_t> current,
                const TOriginOf& originOf, TFormFormat format, const TCanonical& canonical) const;

private:
    std::vector<std::uint8_t> FBytes;
    TFormFormat FFormat = TFormFormat::Text;
    bool FNew = true;
};

namespace FormSplice {

// base (a text form file, or a bare binary stream) with the differences between loaded and
// current spliced in. Raises EFilerError when base is not a form file.
std::vector<std::uint8_t> Splice(std::span<const std::uint8_t> base, bool baseIsText,
                                 std::span<const std::uint8_t> loaded,
                                 std::span<const std::uint8_t> current,
                                 const TFormDocument::TOriginOf& originOf);

}  // namespace FormSplice
