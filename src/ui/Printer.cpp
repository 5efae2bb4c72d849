#include "ui/Printer.h"

#include "util/Messages.h"

#include <winspool.h>

#include <string>

namespace tessark {
namespace {

std::wstring DefaultPrinterName()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0)
        return {};
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size))
        return {};
    name.resize(size > 0 ? size - 1 : 0);
    return name;
}

} // namespace

DefaultPrinterJob::DefaultPrinterJob(std::wstring_view title)
{
    const std::wstring name = DefaultPrinterName();
    dc_ = name.empty() ? nullptr : CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
    if (!dc_)
        throw UserError(std::wstring(msg::NoDefaultPrinter));
    const std::wstring jobName(title);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = jobName.c_str();
    if (StartDocW(dc_, &document) <= 0) {
        DeleteDC(dc_);
        throw UserError(std::wstring(msg::PrintFailed));
    }
}

DefaultPrinterJob::~DefaultPrinterJob()
{
    EndDoc(dc_);
    DeleteDC(dc_);
}

} // namespace tessark
