#pragma once
// The default printer, as the reports and the help window print without a dialog.
#include "util/Win32.h"

#include <string_view>

namespace tessark {

// A device context of the default printer, with a print job titled `title`
// already started. Raises UserError "Aucune imprimante par défaut
// sélectionnée" when there is no usable printer, or the printing error when
// the job cannot start. The job is ended and the context released with it.
class DefaultPrinterJob {
public:
    explicit DefaultPrinterJob(std::wstring_view title);
    ~DefaultPrinterJob();
    DefaultPrinterJob(const DefaultPrinterJob&) = delete;
    DefaultPrinterJob& operator=(const DefaultPrinterJob&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

} // namespace tessark
