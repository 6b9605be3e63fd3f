#include "app/dialogs.h"

#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

namespace wy {

namespace {
struct Primed {
    bool fileName = false;
    std::optional<QString> nextFileName;
    bool menu = false;
    QString nextMenuChoice;
    bool recordInformation = false;
    QString title, text;
    QPoint menuPosition;
} primed;
}  // namespace

QString AskOpenFileName(QWidget* parent, const OpenFileRequest& request) {
    if (primed.fileName) {
        primed.fileName = false;
        return primed.nextFileName.value_or(request.presetName);
    }
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(request.filters);
    dialog.selectFile(request.presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return request.presetName;
    return dialog.selectedFiles().first();
}

QAction* PopUpMenu(QMenu& menu) {
    primed.menuPosition = QCursor::pos() + QPoint(3, 3);
    if (primed.menu) {
        primed.menu = false;
        for (QAction* action : menu.actions()) {
            if (action->text() == primed.nextMenuChoice) return action;
        }
        return nullptr;
    }
    return menu.exec(primed.menuPosition);
}

void ShowInformation(const QString& title, const QString& text) {
    if (primed.recordInformation) {
        primed.title = title;
        primed.text = text;
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

namespace testing {
void SetNextOpenFileName(std::optional<QString> path) {
    primed.fileName = true;
    primed.nextFileName = std::move(path);
}
void SetNextMenuChoice(const QString& itemText) {
    primed.menu = true;
    primed.nextMenuChoice = itemText;
}
void RecordInformation(bool on) { primed.recordInformation = on; }
QString LastInformationTitle() { return primed.title; }
QString LastInformationText() { return primed.text; }
QPoint LastMenuPosition() { return primed.menuPosition; }
}  // namespace testing

}  // namespace wy
