#include "AppServices.h"

#include <QMessageBox>

QWidget* TAppServices::OpenMessage(QWidget* parent, const QString& caption, const QString& text, int kind,
                                   std::function<void()> closed)
{
    const QMessageBox::Icon icon = kind == 0   ? QMessageBox::Warning
                                   : kind == 1 ? QMessageBox::Critical
                                   : kind == 2 ? QMessageBox::Information
                                   : kind == 3 ? QMessageBox::Question
                                               : QMessageBox::NoIcon;
    const QMessageBox::StandardButtons buttons =
        kind == 3 ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::StandardButtons(QMessageBox::Ok);
    auto* box = new QMessageBox(icon, caption, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)](int) { closed(); });
    box->show();
    return box;
}
