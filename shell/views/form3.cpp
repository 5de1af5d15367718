#include "shell/views/form3.h"

#include <QEvent>
#include <QPlainTextEdit>

#include "ui_form3.h"

const QStringList Form3::kFontSizes = {
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

Form3::Form3(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::Form3>()) {
    m_ui->setupUi(this);
    m_ui->Combo1->addItems(kFontSizes);
    m_ui->Combo1->setEditText(QStringLiteral("10"));
    for (QPlainTextEdit* box : {m_ui->Text1, m_ui->Text2}) {
        QFont f = box->font();
        f.setPointSize(10);
        box->setFont(f);
        box->viewport()->installEventFilter(this);
    }
    connect(m_ui->Combo1, &QComboBox::activated, this, &Form3::Combo1_Click);
    connect(m_ui->Command1, &QPushButton::clicked, this, &QDialog::accept);
}

Form3::~Form3() = default;

void Form3::fill(const QPlainTextEdit& ren, const QPlainTextEdit& rth) {
    m_ui->Text1->setPlainText(ren.toPlainText());
    m_ui->Text2->setPlainText(rth.toPlainText());
    setBackground(*m_ui->Text1, ren.palette().color(QPalette::Base));
    setBackground(*m_ui->Text2, rth.palette().color(QPalette::Base));
}

void Form3::openFor(const QPlainTextEdit& ren, const QPlainTextEdit& rth) {
    fill(ren, rth);
    exec();
}

void Form3::Combo1_Click() {
    bool ok = false;
    const int size = m_ui->Combo1->currentText().trimmed().toInt(&ok);
    if (!ok || size <= 0) {
        return;
    }
    for (QPlainTextEdit* box : {m_ui->Text1, m_ui->Text2}) {
        QFont f = box->font();
        f.setPointSize(size);
        box->setFont(f);
    }
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == m_ui->Text1->viewport() || watched == m_ui->Text2->viewport())) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
