// The full-screen view: copies of both documents side by side, with the panes'
// background colours and a choice of font size. It is kept (hidden) between
// openings, so the chosen size survives.
#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class FullScreenView;
}
class QPlainTextEdit;

class FullScreenView final : public QDialog {
    Q_OBJECT

public:
    // The font sizes offered, in list order.
    static const QStringList kFontSizes;
    // The designed size in twips.
    static constexpr int kWidthTwips = 12000;
    static constexpr int kHeightTwips = 9000;

    explicit FullScreenView(QWidget* parent = nullptr);
    ~FullScreenView() override;

    // Copies the texts and background colours of the two panes into the view.
    void fill(const QPlainTextEdit& englishPane, const QPlainTextEdit& thaiPane);
    // Fills the view and shows it modally; returns when it is closed.
    void openFor(const QPlainTextEdit& englishPane, const QPlainTextEdit& thaiPane);

    Ui::FullScreenView& ui() { return *m_ui; }

public Q_SLOTS:
    // Applies the size in fontSizeBox to both boxes (a chosen list item).
    void applyFontSize();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::FullScreenView> m_ui;
};
