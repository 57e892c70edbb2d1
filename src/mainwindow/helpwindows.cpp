#include "helpwindows.h"

#include "windowfitter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A dialog with a Close button under `content`, or the one built before under that name.
QDialog* helpDialog(QWidget* parent, const char* name, const QString& title, QWidget** content,
                    QWidget* (*build)(QDialog*))
{
    if (auto* old = parent->findChild<QDialog*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
        return old;
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QLatin1String(name));
    WindowFitter::watch(dialog);
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    *content = build(dialog);
    layout->addWidget(*content);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog;
}

void raise(QDialog* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

QList<QPair<QString, QString>> HelpWindows::shortcuts(const QList<QAction*>& actions)
{
    QList<QPair<QString, QString>> rows;
    QList<QKeySequence> seen;
    for (const QAction* action : actions) {
        const QKeySequence keys = action->shortcut();
        // Actions without text (a bar's own Esc) are described below the list by hand.
        if (keys.isEmpty() || action->text().isEmpty() || seen.contains(keys))
            continue;
        seen << keys;
        QString text = action->text();
        text.replace(QLatin1String("&&"), QLatin1String("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        if (text.endsWith(QLatin1String("...")))
            text.chop(3);
        rows.append({keys.toString(QKeySequence::NativeText), text});
    }
    return rows;
}

QString HelpWindows::manualText()
{
    QFile file(QStringLiteral(":/manual/tovrik.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void HelpWindows::showShortcuts(QWidget* parent)
{
    QWidget* content = nullptr;
    QDialog* dialog =
        helpDialog(parent, "shortcutsDialog_", HelpWindows::tr("Keyboard shortcuts"), &content,
                   [](QDialog* d) -> QWidget* { return new QTableWidget(d); });
    auto* table = dialog->findChild<QTableWidget*>();
    // Filled on every showing: the actions and the language may have changed.
    QList<QPair<QString, QString>> rows = shortcuts(parent->findChildren<QAction*>());
    rows.append(
        {QStringLiteral("Esc"), HelpWindows::tr("Close the search bar or the real-time window")});
    rows.append({QStringLiteral("Enter"), HelpWindows::tr("Next match, in the search bar")});
    table->clear();
    table->setColumnCount(2);
    table->setRowCount(int(rows.size()));
    table->setHorizontalHeaderLabels({HelpWindows::tr("Keys"), HelpWindows::tr("Action")});
    for (int i = 0; i < rows.size(); ++i) {
        table->setItem(i, 0, new QTableWidgetItem(rows.at(i).first));
        table->setItem(i, 1, new QTableWidgetItem(rows.at(i).second));
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnToContents(0);
    dialog->resize(460, 420);
    raise(dialog);
}

void HelpWindows::showManual(QWidget* parent)
{
    QWidget* content = nullptr;
    QDialog* dialog = helpDialog(
        parent, "manualDialog_", HelpWindows::tr("Manual"), &content, [](QDialog* d) -> QWidget* {
            auto* text = new QPlainTextEdit(d);
            text->setReadOnly(true);
            // The page is laid out in columns: scrolled, not wrapped.
            text->setLineWrapMode(QPlainTextEdit::NoWrap);
            text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
            text->setPlainText(manualText());
            return text;
        });
    if (content) {
        // Wide enough for the page's 80 columns.
        const int width = content->fontMetrics().horizontalAdvance(QString(84, QLatin1Char('m')));
        dialog->resize(width, 560);
    }
    raise(dialog);
}
