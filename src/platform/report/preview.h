#pragma once
// Showing and printing report documents: the preview window (page through,
// zoom, print, save as PDF, export pages as PNG or JPEG), printing, PDF and
// image export, and the text dump. Every output generates the document again
// through the same painting code.
//
// The hooks are the seam for tests and for the form layer: when one is set,
// the call goes to it instead of opening a window.
#include "platform/report/report.h"

#include <QPrintPreviewDialog>

#include <exception>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace report {

using PreviewHook = std::function<void(Document&, QWidget* parent)>;
using PrintHook = std::function<bool(Document&, QWidget* parent)>;
// Asks where to save (caption, suggested name, filter); empty: cancelled.
using SaveFileHook = std::function<QString(QWidget* parent, const QString& caption,
                                           const QString& suggested, const QString& filter)>;
// Each returns the hook it replaces.
PreviewHook SetPreviewHook(PreviewHook hook);
PrintHook SetPrintHook(PrintHook hook);
SaveFileHook SetSaveFileHook(SaveFileHook hook);

// Modal preview; returns when the window is closed. An exception raised
// while the pages are generated closes the window and passes on from here.
void Preview(Document& doc, QWidget* parent = nullptr);
// The print dialog, then printing; false when cancelled.
bool Print(Document& doc, QWidget* parent = nullptr);
// Prints on a printer set up by the caller, without a dialog.
void PrintTo(Document& doc, QPrinter& printer);
// The whole document as one PDF file; false when the file cannot be written.
bool ExportPdf(Document& doc, const QString& file);
// Every page as an image ("PNG" or "JPG"). "dir/name.png" gives name.png for
// one page, name_1.png, name_2.png ... for several. Returns the files written.
QStringList ExportImages(Document& doc, const QString& file, const QString& format = QStringLiteral("PNG"),
                         double dpi = 150);
// What the document draws, page by page, without painting.
Dump RenderDump(Document& doc);

// The preview window: its pages are generated from the document whenever
// they are needed, on screen and again when printing from it.
class PreviewDialog : public QPrintPreviewDialog {
public:
    explicit PreviewDialog(Document& doc, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    Document& document() { return doc_; }
    void SaveAsPdf();
    void ExportPages();
    // The first exception of a generation, if any (the window closes on it).
    std::exception_ptr Failure() const { return failure_; }

private:
    PreviewDialog(Document& doc, std::unique_ptr<QPrinter> printer, QWidget* parent);
    Document& doc_;
    std::unique_ptr<QPrinter> printer_;
    std::exception_ptr failure_;
};

} // namespace report
