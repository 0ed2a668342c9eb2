#include "frm_About.h"

#include "untCommon.h"

#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* CentredLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

QFont BoldTahoma(int pointSize)
{
    QFont font(QStringLiteral("Tahoma"), pointSize);
    font.setBold(true);
    return font;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : TfrmRoot(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    SetFixedClientSize(367, 192);

    // Created first, so it comes first in the tab order and has the focus.
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(145, 159, 75, 25);
    btnOk->setDefault(true);
    btnOk->setFocus();
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 350, 145);

    // 12 pt and 9 pt are 16 and 12 pixels at 96 dpi, the sizes the box was laid out for.
    labProduct = CentredLabel(GroupBox1, "labProduct", QRect(6, 25, 339, 21));
    labProduct->setFont(BoldTahoma(12));
    labVer = CentredLabel(GroupBox1, "labVer", QRect(9, 64, 332, 14));
    labVer->setFont(BoldTahoma(9));
    labCopy = CentredLabel(GroupBox1, "labCopy", QRect(5, 116, 340, 14));

    FormCreate();
}

void TfrmAbout::FormCreate()
{
    TfrmRoot::FormCreate();
    labProduct->setText(QString::fromLatin1(AboutProduct));
    labVer->setText(QString::fromLatin1(AboutVersion));
    labCopy->setText(CopyrightNotice());
}

void TfrmAbout::keyPressEvent(QKeyEvent* event)
{
    // Escape answers like OK: the box has nothing to cancel.
    if (event->matches(QKeySequence::Cancel)) {
        btnOk->click();
        return;
    }
    TfrmRoot::keyPressEvent(event);
}
