#pragma once
// A printer as the print job sees it: a document of pages, each painted on a Surface in the
// device's pixels. The platform opens one for the printer the user chose (the system print
// dialog) or for a named print queue; the print job drives it.

#include <cstdint>
#include <memory>
#include <string>

namespace tenzora {

class Surface;

// The printable area of a page: its size in device pixels and in whole millimetres.
struct PrintablePage {
    std::int32_t widthPx = 0, heightPx = 0;
    std::int32_t widthMm = 0, heightMm = 0;
};

// A page's pixels worked out from its printable millimetres and the device's resolution, as
// the printed sheet measures it: millimetres × dots per inch × 10 / 254, in whole pixels.
constexpr std::int32_t printablePixels(std::int32_t millimetres, std::int32_t dpi) {
    return static_cast<std::int32_t>(std::int64_t{millimetres} * dpi * 10 / 254);
}

class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    virtual PrintablePage page() const = 0;
    // Starts the document under the name the print queue shows; false when it cannot start.
    virtual bool startDocument(const std::wstring& name) = 0;
    // The surface of the current page (after startDocument, until endDocument).
    virtual Surface& surface() = 0;
    // Ends the current page and starts the next one.
    virtual bool nextPage() = 0;
    // Ends the last page.
    virtual bool endPage() = 0;
    // Ends the document and hands it to the printer.
    virtual bool endDocument() = 0;
    // Abandons the document: nothing of it reaches the printer.
    virtual void abort() = 0;
};

// The system print dialog: a target for the printer chosen there, none when it was cancelled.
class PrinterChooser {
  public:
    virtual ~PrinterChooser() = default;
    virtual std::unique_ptr<PrintTarget> choosePrinter(const std::wstring& documentName) = 0;
};

} // namespace tenzora
