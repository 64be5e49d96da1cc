#include "platform/win32/ErrorEdge.h"

#include <windows.h>

namespace quickdex::win32 {
namespace {

std::function<void(const std::exception&)>& ErrorHandler()
{
    static std::function<void(const std::exception&)> handler;
    return handler;
}

} // namespace

void SetErrorHandler(std::function<void(const std::exception&)> handler)
{
    ErrorHandler() = std::move(handler);
}

void ReportError(const std::exception& error)
{
    if (ErrorHandler())
        ErrorHandler()(error);
    else
        MessageBoxA(GetActiveWindow(), error.what(), nullptr, MB_ICONERROR | MB_OK);
}

} // namespace quickdex::win32
