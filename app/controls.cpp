#include "app/controls.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>

#include "text/gbk_unicode.h"

namespace wy {

namespace {
QString FromGbk(std::string_view bytes) {
    std::string utf8 = GbkToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
}  // namespace

SearchBox::SearchBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        qsizetype lineBreak = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
        if (lineBreak >= 0) setText(text.left(lineBreak));
    });
}

void SearchBox::setGbk(std::string_view bytes) {
    bytes_ = std::string(bytes);
    shown_ = FromGbk(bytes);
    setText(shown_);
}

std::string SearchBox::gbk() const {
    if (text() == shown_) return bytes_;
    return Utf8ToGbkLossy(text().toStdString());
}

void SearchBox::keyPressEvent(QKeyEvent* event) {
    QLineEdit::keyPressEvent(event);  // the box handles every key as usual
    emit keyPressed(event->key(), event->modifiers());
}

void SearchBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::RightButton) emit rightPressed();
}

void SearchBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void SearchBox::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

void ListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit rightPressed();  // the selection stays where it was
        return;
    }
    QListView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit itemSelected();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit itemDoubleClicked();
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex() != before && currentIndex().isValid()) emit itemSelected();
}

void ListBox::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

}  // namespace wy
