// Errors of form files. Each says where the input is wrong (a byte offset in a binary form, a
// line and column in a text form) and what was expected there. What a message quotes from the
// file keeps its control characters escaped, whoever built the message.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include "core/AnsiText.h"

class EFilerError : public std::runtime_error {
public:
    EFilerError(const std::string& where, const std::string& message)
        : std::runtime_error(where.empty() ? EscapedText(message)
                                           : where + ": " + EscapedText(message)),
          FMessage(EscapedText(message)) {}
    // What is wrong, without the place.
    const std::string& Message() const { return FMessage; }

private:
    std::string FMessage;
};

// A binary form stream that cannot be read; Offset counts from the start of the file.
class EReadError : public EFilerError {
public:
    EReadError(std::size_t offset, const std::string& message)
        : EFilerError("offset " + std::to_string(offset), message), FOffset(offset) {}
    std::size_t Offset() const { return FOffset; }

private:
    std::size_t FOffset;
};

// A text form file that cannot be read; lines and columns count from 1.
class EParserError : public EFilerError {
public:
    EParserError(int line, int column, const std::string& message)
        : EFilerError("line " + std::to_string(line) + ", column " + std::to_string(column),
                      message),
          FLine(line),
          FColumn(column) {}
    int Line() const { return FLine; }
    int Column() const { return FColumn; }

private:
    int FLine;
    int FColumn;
};

// A component tree that cannot be written (a name too long for the format, a value its type
// has no name for).
class EWriteError : public EFilerError {
public:
    explicit EWriteError(const std::string& message) : EFilerError("", message) {}
};
