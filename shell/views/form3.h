// The full-screen view: copies of both documents side by side, with the panes'
// background colours and a choice of font size. It is kept (hidden) between
// openings, so the chosen size survives.
#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class Form3;
}
class QPlainTextEdit;

class Form3 final : public QDialog {
    Q_OBJECT

public:
    // The font sizes offered, in list order.
    static const QStringList kFontSizes;
    // The designed size in twips.
    static constexpr int kWidthTwips = 12000;
    static constexpr int kHeightTwips = 9000;

    explicit Form3(QWidget* parent = nullptr);
    ~Form3() override;

    // Copies the texts and background colours of the two panes into the view.
    void fill(const QPlainTextEdit& ren, const QPlainTextEdit& rth);
    // Fills the view and shows it modally; returns when it is closed.
    void openFor(const QPlainTextEdit& ren, const QPlainTextEdit& rth);

    Ui::Form3& ui() { return *m_ui; }

public Q_SLOTS:
    // Applies the size in Combo1 to both boxes (a chosen list item).
    void Combo1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::Form3> m_ui;
};
