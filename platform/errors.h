// Typed errors of the program. Core code throws them; the application's general
// error handler shows their text in a message box and the program goes on.
#pragma once

#include <exception>
#include <string>
#include <string_view>

class AppError : public std::exception {
public:
    explicit AppError(std::wstring text);
    const std::wstring& Text() const noexcept { return text_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring text_;
    std::string utf8_;
};

// "Cannot open file %s"
class FileOpenError : public AppError {
public:
    explicit FileOpenError(const std::wstring& path);
};

// "Cannot create file %s"
class FileCreateError : public AppError {
public:
    explicit FileCreateError(const std::wstring& path);
};

// "Cannot delete file %s"
class FileDeleteError : public AppError {
public:
    explicit FileDeleteError(const std::wstring& path);
};

// "'%s' is not a valid integer value"
class ConvertError : public AppError {
public:
    explicit ConvertError(const std::wstring& text);
};

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(std::string_view text);

// A print job the printer refused or broke off: "Cannot print %s" with the job's name.
class PrintError : public AppError {
public:
    explicit PrintError(const std::wstring& jobName);
};
