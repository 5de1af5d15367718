#include "shell/views/full_screen_view.h"

#include <QEvent>
#include <QPlainTextEdit>

#include "ui_full_screen_view.h"

const QStringList FullScreenView::kFontSizes = {
    QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("13"),
    QStringLiteral("14"), QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17"),
    QStringLiteral("18"), QStringLiteral("19"), QStringLiteral("20"), QStringLiteral("22"),
    QStringLiteral("23"), QStringLiteral("24"), QStringLiteral("25"), QStringLiteral("26"),
    QStringLiteral("27"), QStringLiteral("28"), QStringLiteral("29"), QStringLiteral("30"),
    QStringLiteral("32"), QStringLiteral("34"), QStringLiteral("36"), QStringLiteral("38"),
    QStringLiteral("40"),
};

namespace {

void setBackground(QPlainTextEdit& box, const QColor& color) {
    QPalette p = box.palette();
    p.setColor(QPalette::Base, color);
    box.setPalette(p);
}

}  // namespace

FullScreenView::FullScreenView(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FullScreenView>()) {
    m_ui->setupUi(this);
    m_ui->fontSizeBox->addItems(kFontSizes);
    m_ui->fontSizeBox->setEditText(QStringLiteral("10"));
    for (QPlainTextEdit* box : {m_ui->englishView, m_ui->thaiView}) {
        QFont f = box->font();
        f.setPointSize(10);
        box->setFont(f);
        box->viewport()->installEventFilter(this);
    }
    connect(m_ui->fontSizeBox, &QComboBox::activated, this, &FullScreenView::applyFontSize);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

FullScreenView::~FullScreenView() = default;

void FullScreenView::fill(const QPlainTextEdit& englishPane, const QPlainTextEdit& thaiPane) {
    m_ui->englishView->setPlainText(englishPane.toPlainText());
    m_ui->thaiView->setPlainText(thaiPane.toPlainText());
    setBackground(*m_ui->englishView, englishPane.palette().color(QPalette::Base));
    setBackground(*m_ui->thaiView, thaiPane.palette().color(QPalette::Base));
}

void FullScreenView::openFor(const QPlainTextEdit& englishPane, const QPlainTextEdit& thaiPane) {
    fill(englishPane, thaiPane);
    exec();
}

void FullScreenView::applyFontSize() {
    bool ok = false;
    const int size = m_ui->fontSizeBox->currentText().trimmed().toInt(&ok);
    if (!ok || size <= 0) {
        return;
    }
    for (QPlainTextEdit* box : {m_ui->englishView, m_ui->thaiView}) {
        QFont f = box->font();
        f.setPointSize(size);
        box->setFont(f);
    }
}

bool FullScreenView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == m_ui->englishView->viewport() || watched == m_ui->thaiView->viewport())) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
