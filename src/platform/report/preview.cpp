#include "platform/report/preview.h"
#include "platform/ui/uiseam.h"

#include <QAction>
#include <QChildEvent>
#include <QLineEdit>
#include <QFileInfo>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QPrinter>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

namespace report {

namespace {

PreviewHook& PreviewHookRef()
{
    static PreviewHook h;
    return h;
}

PrintHook& PrintHookRef()
{
    static PrintHook h;
    return h;
}

QString SuggestedName(const Document& doc, const QString& ext)
{
    QString base = doc.Title.trimmed();
    if (base.isEmpty())
        base = QStringLiteral("report");
    base.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9 _-]")), QStringLiteral("_"));
    return base + QLatin1Char('.') + ext;
}

} // namespace

PreviewHook SetPreviewHook(PreviewHook hook)
{
    PreviewHook old = std::move(PreviewHookRef());
    PreviewHookRef() = std::move(hook);
    return old;
}

PrintHook SetPrintHook(PrintHook hook)
{
    PrintHook old = std::move(PrintHookRef());
    PrintHookRef() = std::move(hook);
    return old;
}

void Preview(Document& doc, QWidget* parent)
{
    const KeptCursor cursor;
    if (PreviewHookRef()) {
        PreviewHookRef()(doc, parent);
        return;
    }
    if (ui::CurrentUiDriver()) {
        // Nobody to look at the window: the pages are made all the same.
        RenderDump(doc);
        return;
    }
    PreviewDialog dlg(doc, parent);
    dlg.setWindowState(dlg.windowState() | Qt::WindowMaximized);
    {
        ui::ModalScope modal;
        dlg.exec();
    }
    if (dlg.Failure())
        std::rethrow_exception(dlg.Failure());
}

bool Print(Document& doc, QWidget* parent)
{
    const KeptCursor cursor;
    if (PrintHookRef())
        return PrintHookRef()(doc, parent);
    if (ui::CurrentUiDriver())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    if (!doc.Title.isEmpty()) printer.setDocName(doc.Title);
    QPrintDialog dlg(&printer, parent);
    SuggestPrintFile(dlg, doc);
    int result;
    {
        ui::ModalScope modal;
        result = dlg.exec();
    }
    if (result != QDialog::Accepted)
        return false;
    PrintTo(doc, printer);
    return true;
}

void SuggestPrintFile(QPrintDialog& dialog, const Document& doc)
{
    // The dialog's own suggestion is the folder the program was started in.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        name->setText(ui::SuggestedFilePath(SuggestedName(doc, QStringLiteral("pdf"))));
}

void PrintTo(Document& doc, QPrinter& printer)
{
    if (!doc.Title.isEmpty() && printer.docName().isEmpty())
        printer.setDocName(doc.Title);
    PrinterTarget target(printer);
    doc.Generate(target);
    if (printer.outputFormat() == QPrinter::PdfFormat) ui::FileChosen(printer.outputFileName());
}

bool ExportPdf(Document& doc, const QString& file)
{
    PdfTarget target(file, doc.Title);
    doc.Generate(target);
    return target.Ok() && QFileInfo(file).size() > 0;
}

QStringList ExportImages(Document& doc, const QString& file, const QString& format, double dpi)
{
    ImageTarget target(dpi);
    doc.Generate(target);
    const auto& images = target.Images();
    const QFileInfo fi(file);
    const QString ext = fi.suffix().isEmpty() ? format.toLower() : fi.suffix();
    const QString stem = fi.path() + QLatin1Char('/') + fi.completeBaseName();
    QStringList written;
    for (size_t i = 0; i < images.size(); ++i) {
        const QString name = images.size() == 1
                                 ? stem + QLatin1Char('.') + ext
                                 : QStringLiteral("%1_%2.%3").arg(stem).arg(i + 1).arg(ext);
        if (images[i].save(name, format.toUpper().toLatin1().constData(), 90))
            written << name;
    }
    return written;
}

Dump RenderDump(Document& doc)
{
    NullTarget target;
    return doc.Generate(target);
}

// ---------------------------------------------------------------------------

PreviewDialog::PreviewDialog(Document& doc, QWidget* parent)
    : PreviewDialog(doc, std::make_unique<QPrinter>(QPrinter::HighResolution), parent)
{
}

PreviewDialog::PreviewDialog(Document& doc, std::unique_ptr<QPrinter> printer, QWidget* parent)
    : QPrintPreviewDialog(printer.get(), parent), doc_(doc), printer_(std::move(printer))
{
    setWindowTitle(doc.Title.isEmpty() ? QStringLiteral("Print Preview") : doc.Title);
    // Most of the screen, centred: the size kept where the maximised state
    // is not honoured (no window manager, or one that refuses it).
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        QRect r(QPoint(), area.size() * 0.9);
        r.moveCenter(area.center());
        setGeometry(r);
    }
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
        if (failure_)
            return;
        try {
            PrintTo(doc_, *p);
        } catch (...) {
            failure_ = std::current_exception();
            QTimer::singleShot(0, this, &QDialog::reject);
        }
    });
    if (auto* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("Save as PDF"));
        pdf->setObjectName(QStringLiteral("savePdfAction"));
        pdf->setToolTip(QStringLiteral("Save the report as a PDF file"));
        connect(pdf, &QAction::triggered, this, [this] { SaveAsPdf(); });
        QAction* img = bar->addAction(QStringLiteral("Export pages"));
        img->setObjectName(QStringLiteral("exportPagesAction"));
        img->setToolTip(QStringLiteral("Save the pages as PNG or JPEG images"));
        connect(img, &QAction::triggered, this, [this] { ExportPages(); });
    }
}

PreviewDialog::~PreviewDialog() = default;

bool PreviewDialog::event(QEvent* e)
{
    if (e->type() == QEvent::ChildPolished)
        if (auto* print = qobject_cast<QPrintDialog*>(static_cast<QChildEvent*>(e)->child()))
            SuggestPrintFile(*print, doc_);
    return QPrintPreviewDialog::event(e);
}

void PreviewDialog::SaveAsPdf()
{
    const QString file = ui::SaveFileDialog(QStringLiteral("Save as PDF"), SuggestedName(doc_, QStringLiteral("pdf")),
                                      QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    ExportPdf(doc_, file);
}

void PreviewDialog::ExportPages()
{
    const QString file = ui::SaveFileDialog(QStringLiteral("Export pages"), SuggestedName(doc_, QStringLiteral("png")),
                                      QStringLiteral("PNG images (*.png);;JPEG images (*.jpg *.jpeg)"));
    if (file.isEmpty())
        return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    const bool jpeg = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
    ExportImages(doc_, file, jpeg ? QStringLiteral("JPG") : QStringLiteral("PNG"));
}

} // namespace report
