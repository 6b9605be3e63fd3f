// 超文本浏览框: the embedded browser that shows a web search when nothing in
// the banks matches. The engine is started the first time the browser is
// needed, which keeps start-up fast; until then it is an empty black area.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QWebEngineView;

namespace wy {

class BrowserBox : public QWidget {
    Q_OBJECT
public:
    explicit BrowserBox(QWidget* parent);

    // Goes to the address; one without a scheme is taken as a web address.
    void navigate(const QString& address);
    QString address() const { return address_; }
    // The address of the link under the mouse, as the engine last reported it.
    QString statusText() const { return statusText_; }
    // Called instead of opening a new window; the page stays where it is
    // unless the handler navigates.
    void setNewWindowHandler(std::function<void()> handler) { newWindowHandler_ = std::move(handler); }

    QWebEngineView* view() const { return view_; }
    void ensureView();

private:
    QWebEngineView* view_ = nullptr;
    QString address_;
    QString statusText_;
    std::function<void()> newWindowHandler_;
};

}  // namespace wy
