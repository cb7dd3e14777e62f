#pragma once
// Showing and printing report documents: the preview window (page through,
// zoom, print, save as PDF, export pages as PNG or JPEG), printing, PDF and
// image export, and the text dump. Every output generates the document again
// through the same painting code.
//
// Windows and file dialogs go through the form layer's seam (ui::UiDriver):
// with a driver installed, as in tests, Preview generates the pages without
// opening a window, Print prints nothing, and the driver answers the file
// dialogs. The hooks below take a preview or a print instead, for tests that
// want to look at what would be shown.
#include "platform/report/report.h"

#include <QPrintPreviewDialog>

#include <exception>
#include <functional>
#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace report {

using PreviewHook = std::function<void(Document&, QWidget* parent)>;
using PrintHook = std::function<bool(Document&, QWidget* parent)>;
// Each returns the hook it replaces.
PreviewHook SetPreviewHook(PreviewHook hook);
PrintHook SetPrintHook(PrintHook hook);

// Modal preview (maximised); returns when the window is closed. An exception
// raised while the pages are generated closes the window and passes on.
void Preview(Document& doc, QWidget* parent = nullptr);
// The print dialog, then printing; false when cancelled or not asked.
bool Print(Document& doc, QWidget* parent = nullptr);
// A print dialog's print to file starts in the last folder used, else the
// home folder, under the report's title.
void SuggestPrintFile(QPrintDialog& dialog, const Document& doc);
// Prints on a printer set up by the caller, without a dialog. A file printed
// to makes its folder the last folder used.
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

protected:
    // The print dialog the window opens from its toolbar gets the same
    // suggested file as any other.
    bool event(QEvent* e) override;

private:
    PreviewDialog(Document& doc, std::unique_ptr<QPrinter> printer, QWidget* parent);
    Document& doc_;
    std::unique_ptr<QPrinter> printer_;
    std::exception_ptr failure_;
};

} // namespace report
