#include "mainwindow.h"
#include "ui_aboutdialog.h"

#include "windowfitter.h"

#include <QDialog>
#include <QLayout>

namespace {

// The platform the program was built for, shown in the About box.
QString platformName()
{
#if defined(Q_OS_MACOS)
    return QStringLiteral("Mac");
#elif defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#else
    return QStringLiteral("Linux");
#endif
}

} // namespace

void MainWindow::onAbout_()
{
    QDialog dialog(this);
    Ui_AboutDialog about;
    about.setupUi(&dialog);

    QString text = about.label_->text();
    text.replace(QStringLiteral("VVV"), QStringLiteral("0.41"));
    const QString platform =
        QStringLiteral("%1</span><span style=\" font-family:'Lucida Grande'; font-size:18pt; "
                       "vertical-align:super;\"></span>")
            .arg(platformName());
    text.replace(QStringLiteral("PPP"), platform);
    about.label_->setText(text);

    // The box grows to the whole text: translations are longer than the form's own one, and
    // a word-wrapped label gets no height of its own from the layout of a window.
    dialog.ensurePolished();
    dialog.layout()->activate();
    about.label_->setMinimumHeight(about.label_->heightForWidth(about.label_->width()));
    dialog.adjustSize();
    WindowFitter::watch(&dialog);
    dialog.exec();
}
