#include "app/browser_box.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace wy {

namespace {

// A page that never shows dialogs of its own and never opens a window.
class SilentPage : public QWebEnginePage {
public:
    SilentPage(QWebEngineProfile* profile, std::function<void()> onNewWindow, QObject* parent)
        : QWebEnginePage(profile, parent), onNewWindow_(std::move(onNewWindow)) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        if (onNewWindow_) onNewWindow_();
        return nullptr;
    }
    void javaScriptAlert(const QUrl&, const QString&) override {}
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }

private:
    std::function<void()> onNewWindow_;
};

}  // namespace

BrowserBox::BrowserBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void BrowserBox::ensureView() {
    if (view_) return;
    view_ = new QWebEngineView(this);
    auto* page = new SilentPage(QWebEngineProfile::defaultProfile(), [this] { if (newWindowHandler_) newWindowHandler_(); }, view_);
    view_->setPage(page);
    view_->setZoomFactor(1.0);  // the middle text size
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString& url) { statusText_ = url; });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->show();
}

void BrowserBox::navigate(const QString& address) {
    ensureView();
    address_ = address;
    QByteArray encoded = address.toUtf8();
    if (!encoded.contains("://")) encoded.prepend("http://");
    // fromEncoded keeps percent-encoded bytes exactly as they are (the search
    // address is all %XX of GBK bytes) and encodes any other character.
    view_->setUrl(QUrl::fromEncoded(encoded));
}

}  // namespace wy
