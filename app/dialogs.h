// Modal dialogs and popup menus behind small seams: tests prime the next
// answer before they trigger an action, so no test has to click a real dialog.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace wy {

struct OpenFileRequest {
    QString presetName;   // stands in the file name field when the dialog opens
    QStringList filters;  // e.g. "文本文件(*.txt)"
};

// Shows an open-file dialog and returns its file name property: the full path
// of the chosen file, or the preset name when the user cancels.
QString AskOpenFileName(QWidget* parent, const OpenFileRequest& request);

// Shows the menu with its top-left corner 3 pixels right of and below the
// mouse cursor; returns the chosen action or nullptr.
QAction* PopUpMenu(QMenu& menu);

// An information box with one OK button that stays above other windows.
void ShowInformation(const QString& title, const QString& text);

namespace testing {
// The next AskOpenFileName returns this path without showing anything;
// std::nullopt stands for a cancel.
void SetNextOpenFileName(std::optional<QString> path);
// The next PopUpMenu chooses the item with this text ("" dismisses the menu).
void SetNextMenuChoice(const QString& itemText);
// Information boxes are recorded instead of shown while this is on.
void RecordInformation(bool on);
QString LastInformationTitle();
QString LastInformationText();
// The position the last PopUpMenu used (also when a choice was primed).
QPoint LastMenuPosition();
}  // namespace testing

}  // namespace wy
