#pragma once
// ui::Notebook: a tabbed notebook whose pages are addressed by index.
//
//   auto* nb = ui::Make<ui::Notebook>(form, "OvcNotebook1");
//   QWidget* page0 = nb->AddPage("&General Job Data");
//   form->Handle(nb, &ui::Notebook::PageChanged, [this] { OvcNotebook1PageChanged(nb->PageIndex()); });
//   form->Handle(nb, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
//   nb->SetPageIndex(2);
//
// PageChanged is emitted synchronously after every change of page, by code
// or by the user, and never when the page asked for is already shown.
// Clicked follows PageChanged only when the user turned the page.
//
// A turn leaves the keyboard focus on the tabs when it was on the page left:
// it is not carried to a control of the page shown, whose entry would run
// as if the user had gone there (a header field marking its job changed).
#include <QTabWidget>

namespace ui {

class Notebook : public QTabWidget {
    Q_OBJECT
public:
    explicit Notebook(QWidget* parent = nullptr);

    QWidget* AddPage(const QString& caption);
    QWidget* Page(int index) const { return widget(index); }
    int PageIndex() const { return currentIndex(); }
    void SetPageIndex(int index);
    int PageCount() const { return count(); }
    // The active tab's look: bold, in the given colour and font family.
    void SetActiveTabStyle(const QString& family, int pointSize, const QColor& colour, int tabHeight);

signals:
    void PageChanged(int index);
    void Clicked();

private:
    void applyStyle();
    void focusOffPageLeft();
    bool byCode_ = false;
    bool building_ = false;
    QString family_;
    int pointSize_ = 0;
    QString colour_;
    int tabHeight_ = 0;
};

} // namespace ui
