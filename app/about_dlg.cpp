#include "app/about_dlg.h"

#include "app/icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mireto {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ソルネ壱号のﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(icons::resourceIcon(icons::kApplication).pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("ソルネ壱号\n Version 1.00"), this);
    text->setObjectName(QStringLiteral("versionText"));
    text->setTextFormat(Qt::PlainText);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(text, 1, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

} // namespace mireto
