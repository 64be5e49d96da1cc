#pragma once
// The errors the program shows in its standard error box. Each carries the
// exact text the user sees (before the box appends its full stop).
#include <stdexcept>
#include <string>

namespace quickdex {

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A section name half, or any other text, that is not a decimal integer.
class ConversionError : public AppError {
public:
    explicit ConversionError(const std::string& text)
        : AppError("'" + text + "' is not a valid integer value"), text_(text) {}
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// The file refused a write or an erase. `cause`, when known, says why in
// words the user can act on.
class WriteError : public AppError {
public:
    explicit WriteError(const std::string& path, const std::string& cause = {})
        : AppError("Unable to write to " + path + (cause.empty() ? "" : ": " + cause)), path_(path)
    {
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A file the program owns could not be read (another program holds it
// locked, or it is no file at all).
class ReadError : public AppError {
public:
    explicit ReadError(const std::string& path) : AppError("Unable to read " + path) {}
};

// A category name that a key of Set.ini cannot hold unchanged; the text
// says what is wrong with it.
class CategoryNameError : public AppError {
public:
    using AppError::AppError;
};

// The text of the standard error box: the message with a full stop appended
// when its last character sorts after the full stop (so "x." and "x!" stay).
inline std::string ErrorBoxText(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

} // namespace quickdex
