// The window's own control classes: the search box, which remembers the
// bytes it was given, and the list box, whose right click opens a menu
// without moving the selection.
#pragma once

#include <QLineEdit>
#include <QListView>

#include <string>

namespace wy {

class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    // Like a native one-line edit, the box keeps only the first line of what
    // is pasted into it: a line break from a copied web page would otherwise
    // make the search find nothing and split a question added to the bank.
    explicit SearchBox(QWidget* parent = nullptr);

    // Shows a GBK text; gbk() gives those exact bytes back while the shown
    // text is unchanged, so a line that is not valid GBK survives the trip.
    void setGbk(std::string_view bytes);
    std::string gbk() const;

signals:
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void rightPressed();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::string bytes_;
    QString shown_;
};

class ListBox : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

signals:
    void itemSelected();
    void itemDoubleClicked();
    void rightPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace wy
